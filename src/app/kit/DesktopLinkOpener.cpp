#include "app/kit/DesktopLinkOpener.h"

#include <QDesktopServices>
#include <QtDebug>

namespace tollenvane {

void DesktopLinkOpener::openFolder(const std::string& path)
{
    openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void DesktopLinkOpener::openUrl(const QUrl& url)
{
    if (!QDesktopServices::openUrl(url)) {
        qWarning() << "no handler could open" << url;
    }
}

} // namespace tollenvane
