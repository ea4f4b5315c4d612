#include "app/design/ApplicationIconLookup.h"

#include "app/decoding/DecoderProcess.h"
#include "app/decoding/RegularFile.h"
#include "core/base/FileContents.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"

#include <QFile>
#include <QImageReader>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <sstream>

namespace tollenvane {

namespace {

constexpr std::string_view genericApplication = "application-x-executable";
constexpr std::string_view genericFile = "text-x-generic";
// Desktop entries are a few hundred bytes; anything far larger is not one.
constexpr std::size_t largestEntry = 1 << 20;
// Far more than any real icon's picture.
constexpr qint64 largestPicture = 8 << 20;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Nothing for an entry that is not a regular file, is too large or cannot be read: its
// application then goes without an icon.
std::optional<std::string> readEntry(const std::string& file)
{
    try {
        return readRegularFile(file, "desktop entry", largestEntry);
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

std::vector<std::string> desktopFilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string file = it->path().string();
        if (path::extension(file) == "desktop" && it->is_regular_file(error)) {
            files.push_back(file);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The program of an Exec line: its first word, quotes removed.
std::string execProgram(std::string_view exec)
{
    exec = trimmed(exec);
    if (!exec.empty() && exec.front() == '"') {
        const auto closing = exec.find('"', 1);
        return std::string(
            exec.substr(1, closing == std::string_view::npos ? exec.npos : closing - 1));
    }
    return std::string(exec.substr(0, exec.find_first_of(" \t")));
}

bool pointsInto(const std::string& text, const std::string& bundle)
{
    const std::string entry = execProgram(text);
    return !entry.empty() && entry.front() == '/' &&
           path::isAtOrBelow(path::standardised(entry), path::standardised(bundle));
}

bool describes(const std::string& entryFile, const std::string& bundle)
{
    const auto text = readEntry(entryFile);
    if (!text) {
        return false;
    }
    const auto exec = desktopEntryValue(*text, "Exec");
    const auto folder = desktopEntryValue(*text, "Path");
    return (exec && pointsInto(*exec, bundle)) || (folder && pointsInto(*folder, bundle));
}

// A drawing can be made to compute for ever, so even a picture named by a desktop entry is
// decoded in the decoder process.
QImage readPicture(const std::string& file, int pixelSize, const std::atomic<bool>& abandoned)
{
    const RegularFile opened = openRegularFileFollowingLinks(file);
    if (!opened.file || opened.file->size() == 0 || opened.file->size() > largestPicture) {
        return {};
    }
    return DecoderProcess::picture({DecoderTask::icon, pixelSize}, *opened.file, abandoned);
}

// An Icon value: an absolute path names a picture; anything else a theme name, written by
// some with the picture's extension.
void addIcon(ApplicationIconSource& source, const std::string& icon, int pixelSize,
             const std::atomic<bool>& abandoned)
{
    if (icon.front() == '/') {
        source.image = readPicture(icon, pixelSize, abandoned);
        return;
    }
    QString name = QString::fromStdString(icon);
    for (const char* suffix : {".png", ".svg", ".xpm"}) {
        if (name.endsWith(QLatin1String(suffix))) {
            name.chop(4);
        }
    }
    source.themeNames.append(name);
}

void addEntryIcon(ApplicationIconSource& source, const std::string& entryFile, int pixelSize,
                  const std::atomic<bool>& abandoned)
{
    const auto text = readEntry(entryFile);
    if (const auto icon = text ? desktopEntryValue(*text, "Icon") : std::nullopt) {
        addIcon(source, *icon, pixelSize, abandoned);
    }
}

// Sniffed through a descriptor that cannot block; anything but a regular file is known by its
// name and kind alone.
QMimeType typeOf(const std::string& path)
{
    const QString name = QFile::decodeName(path.c_str());
    const RegularFile opened = openRegularFileFollowingLinks(path);
    const QMimeDatabase types;
    return opened.file ? types.mimeTypeForFileNameAndData(name, opened.file.get())
                       : types.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
}

bool isBundle(const std::string& file)
{
    return path::toLowerAscii(path::extension(file)) == "app" && path::isDirectory(file);
}

} // namespace

std::optional<std::string> desktopEntryValue(std::string_view text, std::string_view key)
{
    bool inEntryGroup = false;
    std::istringstream lines{std::string(text)};
    for (std::string raw; std::getline(lines, raw);) {
        const std::string_view line = trimmed(raw);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntryGroup || equals == std::string_view::npos ||
            trimmed(line.substr(0, equals)) != key) {
            continue;
        }
        const std::string_view value = trimmed(line.substr(equals + 1));
        return value.empty() ? std::nullopt : std::optional<std::string>(value);
    }
    return std::nullopt;
}

std::vector<std::string> applicationEntryFolders()
{
    std::vector<std::string> folders;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        folders.push_back(QFile::encodeName(folder).toStdString());
    }
    return folders;
}

std::optional<std::string> bundleDesktopEntry(const std::string& bundle,
                                              const std::vector<std::string>& entryFolders)
{
    for (const std::string& inside : {bundle, bundle + "/share/applications"}) {
        if (const auto files = desktopFilesIn(inside); !files.empty()) {
            return files.front();
        }
    }
    for (const std::string& folder : entryFolders) {
        for (const std::string& file : desktopFilesIn(folder)) {
            if (describes(file, bundle)) {
                return file;
            }
        }
    }
    return std::nullopt;
}

ApplicationIconSource lookupApplicationIcon(const std::string& path, int pixelSize,
                                            const std::vector<std::string>& entryFolders,
                                            const std::atomic<bool>& abandoned)
{
    ApplicationIconSource source;
    if (isBundle(path)) {
        if (const auto entry = bundleDesktopEntry(path, entryFolders)) {
            addEntryIcon(source, *entry, pixelSize, abandoned);
        }
        source.themeNames.append(QString(genericApplication.data()));
        return source;
    }
    if (path::extension(path) == "desktop") {
        addEntryIcon(source, path, pixelSize, abandoned);
        source.themeNames.append(QString(genericApplication.data()));
        return source;
    }
    if (path::isDirectory(path)) {
        source.themeNames.append(QStringLiteral("folder"));
        return source;
    }
    const QMimeType type = typeOf(path);
    source.themeNames << type.iconName() << type.genericIconName();
    source.themeNames.append(QString(genericFile.data()));
    return source;
}

QImage decodeIconPicture(QIODevice& device, int pixelSize)
{
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    const QSize natural = reader.size();
    if (natural.isValid() && (natural.width() > pixelSize || natural.height() > pixelSize ||
                              reader.format() == "svg" || reader.format() == "svgz")) {
        reader.setScaledSize(natural.scaled(pixelSize, pixelSize, Qt::KeepAspectRatio));
    }
    return reader.read();
}

} // namespace tollenvane
