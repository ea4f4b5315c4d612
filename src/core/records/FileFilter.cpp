#include "core/records/FileFilter.h"

#include "core/base/RawValues.h"
#include "core/localisation/Localization.h"
#include "core/records/FileRecord.h"

namespace tollenvane {

namespace {

constexpr RawValues<FileFilter, 9> raws{{{
    {FileFilter::all, "all"},
    {FileFilter::screenshots, "screenshots"},
    {FileFilter::images, "images"},
    {FileFilter::videos, "videos"},
    {FileFilter::pdf, "pdf"},
    {FileFilter::audio, "audio"},
    {FileFilter::archives, "archives"},
    {FileFilter::documents, "documents"},
    {FileFilter::applications, "applications"},
}}};

constexpr RawValues<FileFilter, 9> labelKeys{{{
    {FileFilter::all, "Tout"},
    {FileFilter::screenshots, "Captures d\u2019\u00e9cran"},
    {FileFilter::images, "Images"},
    {FileFilter::videos, "Vidéos"},
    {FileFilter::pdf, "PDF"},
    {FileFilter::audio, "Audio"},
    {FileFilter::archives, "Archives"},
    {FileFilter::documents, "Documents"},
    {FileFilter::applications, "Applications"},
}}};

} // namespace

std::string_view rawValue(FileFilter filter)
{
    return raws.raw(filter);
}

std::optional<FileFilter> fileFilterFromRaw(std::string_view raw)
{
    return raws.parse(raw);
}

std::string label(FileFilter filter)
{
    return Localization::text(labelKeys.raw(filter));
}

bool matches(FileFilter filter, const FileRecord& record)
{
    switch (filter) {
    case FileFilter::all:
        return true;
    case FileFilter::screenshots:
        return record.screenshot();
    case FileFilter::images:
        return record.kind() == FileKind::image;
    case FileFilter::videos:
        return record.kind() == FileKind::video;
    case FileFilter::pdf:
        return record.kind() == FileKind::pdf;
    case FileFilter::audio:
        return record.kind() == FileKind::audio;
    case FileFilter::archives:
        return record.kind() == FileKind::archive;
    case FileFilter::documents:
        return record.kind() == FileKind::document;
    case FileFilter::applications:
        return record.kind() == FileKind::application;
    }
    return false;
}

} // namespace tollenvane
