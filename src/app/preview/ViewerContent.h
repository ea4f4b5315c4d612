#pragma once

#include "core/base/UniqueFd.h"

#include <QImage>
#include <QSizeF>
#include <QString>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace tollenvane {

// How the full preview shows a file, decided by its name alone: its content is read later, on
// a worker thread.
enum class ViewerKind { image, svg, pdf, text, video, audio, other };

ViewerKind viewerKindFor(const QString& path);

// What the full preview shows. `card` when the file cannot be shown as its kind says: gone,
// not a regular file, empty, or not decodable within the decoder's bounds.
struct ViewerContent {
    enum class Form { card, image, pdf, text, media };

    Form form = Form::card;
    QImage image;
    QString text;
    // A document's pages, each as its size in points; drawn as they come into view.
    std::vector<QSizeF> pages;
    // The file as it was checked, kept open for what reads it later, a document's pages and the
    // player, so that they read that very file whatever its path leads to by then.
    std::shared_ptr<const UniqueFd> checked;
    // For the card: the file's size, 0 when it could not be read.
    qint64 size = 0;
};

// The first this much of a text file is shown.
inline constexpr qint64 textPreviewBytes = 256 * 1024;
// Longer lines are broken there, the break marked, so that laying a line out stays quick.
inline constexpr qsizetype textLineColumns = 2000;
inline constexpr char16_t textBreakMark = u'\u21A9';

// Reads and decodes, bounded in size and time; blocks, so call it on a file worker. Pictures
// and documents are decoded by the decoder process, which `abandoned` kills; a document's pages
// only later, as they are shown. Media files are only checked here: the player decodes them.
ViewerContent loadViewerContent(const std::string& path, ViewerKind kind,
                                const std::atomic<bool>& abandoned);

// `text` with every line longer than textLineColumns broken into pieces that long, each piece
// but the last ending with the break mark.
QString withLongLinesBroken(const QString& text);

} // namespace tollenvane
