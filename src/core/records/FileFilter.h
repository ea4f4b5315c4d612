#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

class FileRecord;

// The type filter of a selection: the categories the dashboard and the session set-up count by.
enum class FileFilter {
    all,
    screenshots,
    images,
    videos,
    pdf,
    audio,
    archives,
    documents,
    applications
};

inline constexpr std::array allFileFilters{
    FileFilter::all,      FileFilter::screenshots, FileFilter::images,
    FileFilter::videos,   FileFilter::pdf,         FileFilter::audio,
    FileFilter::archives, FileFilter::documents,   FileFilter::applications};

std::string_view rawValue(FileFilter filter);
std::optional<FileFilter> fileFilterFromRaw(std::string_view raw);
std::string label(FileFilter filter);

// A record of kind other passes only `all`; a screenshot passes both `screenshots` and `images`.
bool matches(FileFilter filter, const FileRecord& record);

} // namespace tollenvane
