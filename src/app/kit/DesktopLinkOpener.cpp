#include "app/kit/DesktopLinkOpener.h"

#include <QDesktopServices>
#include <QtDebug>

namespace tollenvane {

void DesktopLinkOpener::openFolder(const std::string& path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        unanswered(path);
    }
}

void DesktopLinkOpener::openUrl(const QUrl& url)
{
    if (!QDesktopServices::openUrl(url)) {
        qWarning() << "no handler could open" << url;
    }
}

} // namespace tollenvane
