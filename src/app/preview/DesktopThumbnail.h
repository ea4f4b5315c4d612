#pragma once

#include <QImage>
#include <ctime>
#include <string>

namespace tollenvane {

// The picture the desktop already made for the file in the shared thumbnail cache
// ($XDG_CACHE_HOME/thumbnails), largest size first, fitted into 1000 x 650. Only a picture made
// from the file's current version (its stored modification time equal to `modified`) counts.
// Read only: nothing is ever written there.
QImage desktopThumbnail(const std::string& path, std::time_t modified);

} // namespace tollenvane
