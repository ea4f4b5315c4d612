#pragma once

#include "app/preview/PdfPageColumn.h"
#include "core/base/UniqueFd.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <atomic>
#include <memory>
#include <set>
#include <vector>

namespace tollenvane {

class SpokenNotice;

// A document's pages one under the other, each drawn by the decoder process of its own as it
// comes into view: a long document opens as fast as a short one, and only the pages in view and
// near it are held, so memory stays bounded however many pages there are. The document itself is
// never opened in the application. A page that cannot be drawn shows a plain placeholder. It is
// heard with its number of pages, and with each page the reader scrolls to.
class PdfPane final : public QAbstractScrollArea {
    Q_OBJECT

public:
    // At most this many pages are drawn at once.
    static constexpr int maxDrawing = 2;
    // Pages up to this many beyond those in view are drawn ahead and kept; farther ones are let go.
    static constexpr int pagesAround = 2;

    // `document`: the checked file, open; `pagePoints`: each page's size in points.
    PdfPane(std::shared_ptr<const UniqueFd> document, const std::vector<QSizeF>& pagePoints,
            QWidget* parent = nullptr);
    // Both abandon the drawing under way, its decoders killed; once stopped, nothing more is drawn.
    ~PdfPane() override;
    void stopDrawing();

    int pageCount() const { return column_.count(); }
    bool isDrawn(int page) const;
    bool hasFailed(int page) const;
    // The pages drawn and held, and the decoders still drawing, those abandoned included.
    int heldPages() const;
    int pagesBeingDrawn() const { return drawing_; }
    // Page `page` in the viewport's coordinates.
    QRect pageRect(int page) const;
    // The page the reader is on: the one across the middle of the view.
    int pageInView() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class State { waiting, drawing, drawn, failed };
    struct Page {
        State state = State::waiting;
        QImage image;
        std::shared_ptr<std::atomic<bool>> abandoned;
    };

    void updateScrollBars();
    // Starts drawing what comes into view and lets go of what went far out of it.
    void followView();
    void startDrawing(int index);
    void finishDrawing(int index, const std::shared_ptr<std::atomic<bool>>& job,
                       const QImage& image);
    void letGo(int index);
    void paintPage(QPainter& painter, int index) const;
    // Tells a page scrolled to, once.
    void tellPageInView();

    std::shared_ptr<const UniqueFd> document_;
    PdfPageColumn column_;
    std::vector<Page> pages_;
    // The pages that hold a picture or are being drawn: the few there is something to let go of.
    std::set<int> active_;
    int drawing_ = 0;
    bool stopped_ = false;
    SpokenNotice* notice_;
    int toldPage_ = 0;
};

} // namespace tollenvane
