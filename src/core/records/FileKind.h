#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

class TypeLookup;

enum class FileKind { image, video, pdf, audio, document, archive, application, other };

inline constexpr std::array allFileKinds{
    FileKind::image,    FileKind::video,   FileKind::pdf,         FileKind::audio,
    FileKind::document, FileKind::archive, FileKind::application, FileKind::other};

std::string_view rawValue(FileKind kind);
std::optional<FileKind> fileKindFromRaw(std::string_view raw);

// The label in the current language.
std::string label(FileKind kind);
// The name of the icon that stands for the kind.
std::string_view symbol(FileKind kind);

// By the lower-cased extension: the fixed lists first, then the type database. Never fails.
FileKind classify(std::string_view path);
FileKind classify(std::string_view path, const TypeLookup& types);

} // namespace tollenvane
