#include "app/design/ApplicationIconCache.h"

#include "app/design/Symbol.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QStyle>
#include <utility>

namespace tollenvane {

namespace {

// Enough for the applications list and the cards near the current one.
constexpr int sharedCapacity = 256;

} // namespace

ApplicationIconCache::ApplicationIconCache(Lookup lookup, int capacity, QObject* parent)
    : QObject(parent)
    , lookup_(std::move(lookup))
    , icons_(capacity)
{
    workers_.setMaxThreadCount(2);
}

ApplicationIconCache::~ApplicationIconCache()
{
    workers_.waitForDone();
}

ApplicationIconCache& ApplicationIconCache::shared()
{
    static QPointer<ApplicationIconCache> instance;
    if (instance.isNull()) {
        const std::vector<std::string> folders = applicationEntryFolders();
        instance = new ApplicationIconCache(
            [folders](const std::string& path) {
                return lookupApplicationIcon(path, iconPixelSize, folders);
            },
            sharedCapacity, QCoreApplication::instance());
    }
    return *instance;
}

std::optional<QPixmap> ApplicationIconCache::cached(const QString& path) const
{
    if (const QPixmap* icon = icons_.object(path)) {
        return *icon;
    }
    return std::nullopt;
}

void ApplicationIconCache::fetch(const QString& path, QObject* receiver,
                                 std::function<void(const QPixmap&)> done)
{
    if (const auto icon = cached(path)) {
        done(*icon);
        return;
    }
    auto& waiters = waiting_[path];
    waiters.push_back({receiver, std::move(done)});
    if (waiters.size() > 1) {
        return;
    }
    const std::string file = QFile::encodeName(path).toStdString();
    workers_.start([this, path, file, lookup = lookup_] {
        ApplicationIconSource source = lookup(file);
        QMetaObject::invokeMethod(
            this, [this, path, source = std::move(source)] { finish(path, source); },
            Qt::QueuedConnection);
    });
}

void ApplicationIconCache::finish(const QString& path, const ApplicationIconSource& source)
{
    const QPixmap icon = iconPixmap(source, iconPixelSize);
    icons_.insert(path, new QPixmap(icon));
    const auto found = waiting_.find(path);
    if (found == waiting_.end()) {
        return;
    }
    const std::vector<Waiter> waiters = std::move(found->second);
    waiting_.erase(found);
    for (const Waiter& waiter : waiters) {
        if (!waiter.receiver.isNull()) {
            waiter.done(icon);
        }
    }
}

QPixmap iconPixmap(const ApplicationIconSource& source, int pixelSize)
{
    if (!source.image.isNull()) {
        return QPixmap::fromImage(source.image);
    }
    Symbol::useIconTheme();
    for (const QString& name : source.themeNames) {
        if (!name.isEmpty() && QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name).pixmap(pixelSize, pixelSize);
        }
    }
    return QApplication::style()->standardIcon(QStyle::SP_FileIcon).pixmap(pixelSize, pixelSize);
}

} // namespace tollenvane
