#pragma once

#include "core/records/FileKind.h"

#include <QRectF>
#include <QSizeF>

namespace tollenvane {

class FileRecord;

// What the middle of a file preview shows.
enum class PreviewLayer { cloudNotice, audio, thumbnail, spinner, fallback };

// The first that applies: content elsewhere, audio, a thumbnail, still loading, the fallback.
PreviewLayer previewLayer(const FileRecord& record, bool hasImage, bool loading);
// Over a video whose content is here and of which a frame was decoded: a file no decoder reads
// would promise a playback that cannot start.
bool showsPlayButton(const FileRecord& record, bool hasImage);
// The thumbnail fitted inside `area`, proportions kept; a PDF page keeps a margin so that it
// reads as a sheet of paper.
QRectF thumbnailRect(const QRectF& area, const QSizeF& image, FileKind kind);

} // namespace tollenvane
