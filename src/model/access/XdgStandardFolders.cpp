#include "model/access/XdgStandardFolders.h"

#include <QFile>
#include <QStandardPaths>

namespace tollenvane {

namespace {

QStandardPaths::StandardLocation qtLocation(StandardFolder folder)
{
    switch (folder) {
    case StandardFolder::desktop:
        return QStandardPaths::DesktopLocation;
    case StandardFolder::documents:
        return QStandardPaths::DocumentsLocation;
    case StandardFolder::downloads:
        return QStandardPaths::DownloadLocation;
    case StandardFolder::pictures:
        return QStandardPaths::PicturesLocation;
    case StandardFolder::movies:
        return QStandardPaths::MoviesLocation;
    case StandardFolder::music:
        return QStandardPaths::MusicLocation;
    }
    return QStandardPaths::HomeLocation;
}

} // namespace

std::optional<std::string> XdgStandardFolders::location(StandardFolder folder) const
{
    const QStringList locations = QStandardPaths::standardLocations(qtLocation(folder));
    if (locations.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(locations.front()).toStdString();
}

} // namespace tollenvane
