#pragma once

#include <QImage>
#include <QStringList>
#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

namespace tollenvane {

// What a file's or application's icon is, as far as can be told off the main thread: a picture
// already read from a file, else icon-theme names to try in order (the last one generic).
struct ApplicationIconSource {
    QImage image;
    QStringList themeNames;
};

// The value of `key` in the [Desktop Entry] group of a desktop entry's text; nothing when the
// group or the key is missing or empty. Localised variants (Icon[fr]) are not the key.
std::optional<std::string> desktopEntryValue(std::string_view text, std::string_view key);

// The folders desktop entries are installed in: the applications folder of $XDG_DATA_HOME,
// then of each of $XDG_DATA_DIRS.
std::vector<std::string> applicationEntryFolders();

// The desktop entry that describes a bundle folder: one inside it (at its top, else in its
// share/applications), else the first installed one whose Exec program or Path lies inside it.
std::optional<std::string> bundleDesktopEntry(const std::string& bundle,
                                              const std::vector<std::string>& entryFolders);

// The icon of a path: a bundle's or a desktop entry's Icon (a picture by absolute path, or a
// theme name), a folder's, or the icon of the file's type; a generic icon when nothing better
// is known. Reads files only, so it runs on any thread, and never blocks on a FIFO or a device.
// A picture is decoded in the decoder process, which `abandoned` kills.
ApplicationIconSource lookupApplicationIcon(const std::string& path, int pixelSize,
                                            const std::vector<std::string>& entryFolders,
                                            const std::atomic<bool>& abandoned);

// The picture of an icon file read from `device`, fitted into `pixelSize` a side: a drawing is
// drawn at that size, a larger picture scaled down. Null when it is not a picture. Run by the
// decoder process.
QImage decodeIconPicture(QIODevice& device, int pixelSize);

} // namespace tollenvane
