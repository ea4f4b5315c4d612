#include "core/records/FileKind.h"

#include "core/base/Path.h"
#include "core/localisation/Localization.h"
#include "core/platform/TypeLookup.h"

#include <algorithm>
#include <initializer_list>

namespace tollenvane {

namespace {

struct KindInfo {
    FileKind kind;
    std::string_view raw;
    std::string_view labelKey;
    std::string_view symbol;
};

constexpr std::array<KindInfo, 8> kinds{{
    {FileKind::image, "image", "Images", "photo"},
    {FileKind::video, "video", "Vidéos", "film"},
    {FileKind::pdf, "pdf", "PDF", "doc.richtext"},
    {FileKind::audio, "audio", "Audio", "waveform"},
    {FileKind::document, "document", "Documents", "doc.text"},
    {FileKind::archive, "archive", "Archives", "archivebox"},
    {FileKind::application, "application", "Applications", "app.dashed"},
    {FileKind::other, "other", "Autres", "doc"},
}};

const KindInfo& info(FileKind kind)
{
    return kinds[static_cast<std::size_t>(kind)];
}

struct ExtensionList {
    FileKind kind;
    std::initializer_list<std::string_view> extensions;
};

// Tested in this order: the first list that holds the extension decides, whatever the type
// database says of it.
const std::array<ExtensionList, 7> extensionLists{{
    {FileKind::application, {"app"}},
    {FileKind::archive,
     {"zip", "rar", "7z", "gz", "tar", "bz2", "xz", "dmg", "iso", "pkg", "xip", "zst"}},
    {FileKind::image,
     {"png", "jpg", "jpeg", "heic", "heif", "gif", "tiff", "tif", "webp", "bmp", "avif", "raw",
      "cr2", "nef", "dng"}},
    {FileKind::video,
     {"mp4", "mov", "m4v", "mkv", "avi", "webm", "mpeg", "mpg", "mxf", "mts", "m2ts", "braw", "r3d",
      "prores"}},
    {FileKind::pdf, {"pdf"}},
    {FileKind::audio, {"wav", "mp3", "m4a", "aac", "aiff", "aif", "flac", "ogg", "opus"}},
    {FileKind::document,
     {"txt", "md", "rtf", "doc", "docx", "odt", "xls", "xlsx", "csv", "ppt", "pptx", "pages",
      "numbers", "key"}},
}};

FileKind kindOf(TypeConformance conformance)
{
    switch (conformance) {
    case TypeConformance::image:
        return FileKind::image;
    case TypeConformance::movie:
        return FileKind::video;
    case TypeConformance::pdf:
        return FileKind::pdf;
    case TypeConformance::audio:
        return FileKind::audio;
    case TypeConformance::text:
    case TypeConformance::content:
        return FileKind::document;
    case TypeConformance::noType:
    case TypeConformance::otherData:
        break;
    }
    return FileKind::other;
}

} // namespace

std::string_view rawValue(FileKind kind)
{
    return info(kind).raw;
}

std::optional<FileKind> fileKindFromRaw(std::string_view raw)
{
    const auto found =
        std::find_if(kinds.begin(), kinds.end(), [raw](const KindInfo& k) { return k.raw == raw; });
    return found == kinds.end() ? std::nullopt : std::optional(found->kind);
}

std::string label(FileKind kind)
{
    return Localization::text(info(kind).labelKey);
}

std::string_view symbol(FileKind kind)
{
    return info(kind).symbol;
}

FileKind classify(std::string_view path)
{
    return classify(path, TypeLookup::system());
}

FileKind classify(std::string_view path, const TypeLookup& types)
{
    const std::string extension = path::toLowerAscii(path::extension(path));
    for (const auto& list : extensionLists) {
        if (std::find(list.extensions.begin(), list.extensions.end(), extension) !=
            list.extensions.end()) {
            return list.kind;
        }
    }
    if (extension.empty()) {
        return FileKind::other;
    }
    return kindOf(types.conformance(extension));
}

} // namespace tollenvane
