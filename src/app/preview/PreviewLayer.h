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
// Over a video whose content is here.
bool showsPlayButton(const FileRecord& record);
// The thumbnail fitted inside `area`, proportions kept; a PDF page keeps a margin so that it
// reads as a sheet of paper.
QRectF thumbnailRect(const QRectF& area, const QSizeF& image, FileKind kind);

} // namespace tollenvane
