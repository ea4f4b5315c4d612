#include "app/preview/PdfPane.h"

#include "app/decoding/BackgroundJob.h"
#include "app/decoding/DecoderProcess.h"
#include "app/decoding/RegularFile.h"
#include "app/design/FocusRing.h"
#include "app/design/SpokenName.h"
#include "app/design/SpokenNotice.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int lineStep = 40;
constexpr int placeholderSymbolSide = 48;

QImage drawnPage(const UniqueFd& document, int index, const std::atomic<bool>& abandoned)
{
    // A reading position of its own: pages are drawn side by side.
    const RegularFile file = reopenRegularFile(document.get());
    return file.file ? DecoderProcess::picture({DecoderTask::pdfReadingPage, index}, *file.file,
                                               abandoned)
                     : QImage();
}

} // namespace

PdfPane::PdfPane(std::shared_ptr<const UniqueFd> document, const std::vector<QSizeF>& pagePoints,
                 QWidget* parent)
    : QAbstractScrollArea(parent)
    , document_(std::move(document))
    , column_(pagePoints)
    , pages_(static_cast<std::size_t>(column_.count()))
    , notice_(new SpokenNotice(this))
{
    setObjectName(QStringLiteral("pdfPane"));
    notice_->setObjectName(QStringLiteral("pageNotice"));
    const int count = column_.count();
    setSpokenDescription(*this,
                         QString::fromStdString(L(plural(count, "{0} page", "{0} pages"), count)));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(lineStep);
    horizontalScrollBar()->setSingleStep(lineStep);
    updateScrollBars();
}

PdfPane::~PdfPane()
{
    stopDrawing();
}

void PdfPane::stopDrawing()
{
    stopped_ = true;
    for (const int index : std::set(active_)) {
        letGo(index);
    }
}

bool PdfPane::isDrawn(int page) const
{
    return pages_.at(static_cast<std::size_t>(page)).state == State::drawn;
}

bool PdfPane::hasFailed(int page) const
{
    return pages_.at(static_cast<std::size_t>(page)).state == State::failed;
}

int PdfPane::heldPages() const
{
    return static_cast<int>(std::ranges::count_if(active_, [this](int index) {
        return !pages_[static_cast<std::size_t>(index)].image.isNull();
    }));
}

QRect PdfPane::pageRect(int page) const
{
    return column_.page(page, viewport()->width())
        .translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
}

int PdfPane::pageInView() const
{
    return column_.pageAt(verticalScrollBar()->value(), viewport()->height());
}

void PdfPane::tellPageInView()
{
    const int page = pageInView();
    if (page != toldPage_) {
        toldPage_ = page;
        notice_->say(QString::fromStdString(L("Page {0} sur {1}", page + 1, pageCount())));
    }
}

void PdfPane::updateScrollBars()
{
    const QSize view = viewport()->size();
    const QSize whole = column_.size();
    verticalScrollBar()->setRange(0, std::max(0, whole.height() - view.height()));
    verticalScrollBar()->setPageStep(std::max(lineStep, view.height() - lineStep));
    horizontalScrollBar()->setRange(0, std::max(0, whole.width() - view.width()));
    horizontalScrollBar()->setPageStep(std::max(lineStep, view.width() - lineStep));
}

void PdfPane::followView()
{
    if (stopped_) {
        return;
    }
    const auto inView =
        column_.pagesWithin(verticalScrollBar()->value(), std::max(1, viewport()->height()));
    if (!inView) {
        return;
    }
    const int first = std::max(0, inView->first - pagesAround);
    const int last = std::min(pageCount() - 1, inView->second + pagesAround);
    for (const int index : std::set(active_)) {
        if (index < first || index > last) {
            letGo(index);
        }
    }
    // The pages in view first, from the top, then those ahead and behind.
    std::vector<int> wanted;
    for (int index = inView->first; index <= inView->second; ++index) {
        wanted.push_back(index);
    }
    for (int step = 1; step <= pagesAround; ++step) {
        for (const int index : {inView->second + step, inView->first - step}) {
            if (index >= first && index <= last) {
                wanted.push_back(index);
            }
        }
    }
    const auto inSight = [&](int index) {
        return index >= inView->first && index <= inView->second;
    };
    for (const int index : wanted) {
        if (pages_[static_cast<std::size_t>(index)].state != State::waiting) {
            continue;
        }
        // A page in view never waits long behind one drawn ahead: that one is abandoned, and its
        // place is free as soon as its decoder is gone.
        if (drawing_ >= maxDrawing && inSight(index)) {
            const auto ahead = std::ranges::find_if(active_, [&](int other) {
                return !inSight(other) &&
                       pages_[static_cast<std::size_t>(other)].state == State::drawing;
            });
            if (ahead != active_.end()) {
                letGo(*ahead);
            }
        }
        if (drawing_ >= maxDrawing) {
            break;
        }
        startDrawing(index);
    }
}

void PdfPane::letGo(int index)
{
    Page& page = pages_[static_cast<std::size_t>(index)];
    if (page.state == State::drawing) {
        page.abandoned->store(true);
    }
    page = Page();
    active_.erase(index);
}

void PdfPane::startDrawing(int index)
{
    Page& page = pages_[static_cast<std::size_t>(index)];
    auto job = std::make_shared<std::atomic<bool>>(false);
    page.state = State::drawing;
    page.abandoned = job;
    active_.insert(index);
    ++drawing_;
    runInBackground<QImage>(
        this, [document = document_, index, job] { return drawnPage(*document, index, *job); },
        [this, index, job](const QImage& image) { finishDrawing(index, job, image); });
}

void PdfPane::finishDrawing(int index, const std::shared_ptr<std::atomic<bool>>& job,
                            const QImage& image)
{
    // Counted until its decoder is gone, abandoned or not, so that no more than maxDrawing ever
    // run.
    --drawing_;
    Page& page = pages_[static_cast<std::size_t>(index)];
    // A page let go meanwhile may be drawing anew.
    if (page.abandoned != job) {
        followView();
        return;
    }
    page.abandoned.reset();
    page.state = image.isNull() ? State::failed : State::drawn;
    page.image = image;
    if (image.isNull()) {
        active_.erase(index);
    }
    viewport()->update();
    followView();
}

void PdfPane::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Theme::color(Theme::bg));
    if (const auto inView =
            column_.pagesWithin(verticalScrollBar()->value(), viewport()->height())) {
        for (int index = inView->first; index <= inView->second; ++index) {
            paintPage(painter, index);
        }
    }
    paintFocusRing(painter, QRectF(viewport()->rect()), 0, *this);
}

void PdfPane::paintPage(QPainter& painter, int index) const
{
    const QRect area = pageRect(index);
    const Page& page = pages_[static_cast<std::size_t>(index)];
    switch (page.state) {
    case State::drawn:
        painter.drawImage(area, page.image);
        break;
    case State::waiting:
    case State::drawing:
        // Blank paper until the page is drawn on it.
        painter.fillRect(area, Qt::white);
        break;
    case State::failed: {
        painter.fillRect(area, Theme::color(Theme::soft));
        QRectF symbol(0, 0, placeholderSymbolSide, placeholderSymbolSide);
        symbol.moveCenter(QRectF(area).center());
        Symbol::paint(painter, symbol, "doc.richtext", Theme::color(Theme::muted));
        break;
    }
    }
    // The paper's edge, which white paper on a light surface needs.
    painter.setPen(QPen(Theme::color(Theme::line), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(area).adjusted(-0.5, -0.5, 0.5, 0.5));
}

void PdfPane::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    followView();
}

void PdfPane::scrollContentsBy(int, int)
{
    viewport()->update();
    followView();
    tellPageInView();
}

void PdfPane::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Home || event->key() == Qt::Key_End)) {
        verticalScrollBar()->triggerAction(event->key() == Qt::Key_Home
                                               ? QAbstractSlider::SliderToMinimum
                                               : QAbstractSlider::SliderToMaximum);
        return;
    }
    // The arrows, Page Up and Page Down.
    QAbstractScrollArea::keyPressEvent(event);
}

void PdfPane::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void PdfPane::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace tollenvane
