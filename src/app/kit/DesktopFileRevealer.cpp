#include "app/kit/DesktopFileRevealer.h"

#include "core/base/Path.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QUrl>

namespace tollenvane {

DesktopFileRevealer::DesktopFileRevealer(QObject* parent)
    : QObject(parent)
{}

void DesktopFileRevealer::openFolderOf(const std::string& path) const
{
    const QUrl folder =
        QUrl::fromLocalFile(QString::fromStdString(std::string(path::parent(path))));
    if (!QDesktopServices::openUrl(folder)) {
        unanswered(Request::show, path);
    }
}

void DesktopFileRevealer::reveal(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolderOf(path);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
    // Asynchronous: a file manager slow to start must not freeze the window.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, path](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<> reply = *done;
                if (reply.isError()) {
                    openFolderOf(path);
                }
                done->deleteLater();
            });
}

} // namespace tollenvane
