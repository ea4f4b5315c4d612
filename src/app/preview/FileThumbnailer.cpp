#include "app/preview/FileThumbnailer.h"

#include "app/decoding/DecoderProcess.h"
#include "app/decoding/RegularFile.h"
#include "app/preview/DesktopThumbnail.h"
#include "app/preview/SvgThumbnail.h"
#include "app/preview/VideoFrame.h"
#include "core/records/FileRecord.h"

#include <QImageReader>
#include <exception>

namespace tollenvane {
namespace {

// The most a decoder may allocate for one picture, whatever the environment says.
constexpr int decoderAllocationLimitMiB = 256;

// A generation is never cancelled: it carries on for the cache, within the decoder's deadline.
const std::atomic<bool> carriesOn{false};

bool availableHere(const std::string& path)
{
    try {
        return FileRecord::isAvailableLocally(path);
    } catch (const std::exception&) {
        return false; // gone, or reached through a link: no thumbnail either way
    }
}

} // namespace

FileThumbnailer::FileThumbnailer()
{
    QImageReader::setAllocationLimit(decoderAllocationLimitMiB);
}

QImage FileThumbnailer::make(const FileRecord& record) const
{
    const std::string path(record.path());
    if (!availableHere(path)) {
        return {};
    }
    const RegularFile opened = openRegularFile(path);
    if (opened.file == nullptr) {
        return {};
    }
    QFile& file = *opened.file;
    switch (record.kind()) {
    case FileKind::image:
        return DecoderProcess::picture(
            isSvgPath(path) ? DecoderTask::drawing : DecoderTask::picture, file, carriesOn);
    case FileKind::pdf:
        return DecoderProcess::picture(DecoderTask::pdfPage, file, carriesOn);
    case FileKind::video:
    case FileKind::audio:
    case FileKind::document:
    case FileKind::archive:
    case FileKind::application:
    case FileKind::other:
        break;
    }
    QImage stored = desktopThumbnail(path, opened.modified.tv_sec);
    if (stored.isNull() && record.kind() == FileKind::video && videoFramesAvailable()) {
        return DecoderProcess::picture(DecoderTask::videoFrame, file, carriesOn);
    }
    return stored;
}

} // namespace tollenvane
