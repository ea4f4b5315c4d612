#include "app/kit/DesktopLinkOpener.h"

#include <QDesktopServices>

namespace tollenvane {

void DesktopLinkOpener::openFolder(const std::string& path)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)))) {
        unanswered(Request::show, path);
    }
}

void DesktopLinkOpener::openUrl(const QUrl& url)
{
    if (!QDesktopServices::openUrl(url)) {
        unanswered(Request::open, url.toDisplayString().toStdString());
    }
}

} // namespace tollenvane
