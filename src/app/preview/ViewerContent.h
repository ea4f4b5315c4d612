#pragma once

#include <QImage>
#include <QString>
#include <string>

namespace tollenvane {

// How the full preview shows a file, decided by its name alone: its content is read later, on
// a worker thread.
enum class ViewerKind { image, svg, pdf, text, video, audio, other };

ViewerKind viewerKindFor(const QString& path);

// What the full preview shows. `card` when the file cannot be shown as its kind says: gone,
// not a regular file, empty, or not decodable.
struct ViewerContent {
    enum class Form { card, image, pdf, text, media };

    Form form = Form::card;
    QImage image;
    QString text;
};

// The first this much of a text file is shown.
inline constexpr qint64 textPreviewBytes = 256 * 1024;

// Reads and decodes, bounded in size; blocks, so call it on a worker thread. Media files are
// only checked here: the player decodes them.
ViewerContent loadViewerContent(const std::string& path, ViewerKind kind);

} // namespace tollenvane
