#include "app/kit/PageScaffold.h"

#include "app/kit/FocusHandOff.h"
#include "app/kit/ScrollToShow.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

// The page's column. Qt's least height for it stacks each block at its narrowest, where a block
// whose height follows its width (a grid of tiles, a wrapped text) is at its tallest: the scroll
// area would keep a page taller than its blocks need, and keep it scrolled past its top once
// they shrink. The scroll area measures such a column at its width instead.
class PageContent final : public QWidget {
public:
    QSize minimumSizeHint() const override
    {
        const QSize least = QWidget::minimumSizeHint();
        return layout() != nullptr && layout()->hasHeightForWidth() ? QSize(least.width(), 0)
                                                                    : least;
    }
};

} // namespace

PageScaffold::PageScaffold(Page page, int spacing, int padding, QWidget* parent)
    : QScrollArea(parent)
    , handOff_(*this, [this](QWidget& gone) { return focusHome(gone); })
{
    setObjectName(QStringLiteral("page-") + QString::fromUtf8(rawValue(page)));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab stops at the page's controls, never at the page itself, which would show no ring.
    setFocusPolicy(Qt::NoFocus);
    // The window's background shows through: the page only lays out.
    viewport()->setAutoFillBackground(false);

    auto* content = new PageContent;
    content->setObjectName(QStringLiteral("pageContent"));
    content->setAutoFillBackground(false);
    column_ = new QVBoxLayout(content);
    column_->setSpacing(spacing);
    column_->setContentsMargins(padding, padding, padding, padding);
    column_->addStretch(1);
    setWidget(content);

    focusChanges_ = connect(qApp, &QApplication::focusChanged, this,
                            [this](QWidget*, QWidget* now) { focusChanged(now); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        const QWidget* focus = focusHere();
        focusSeen_ = focus != nullptr && inSight(*focus);
    });
}

// The controls that go with the page may still move the focus: the page no longer follows it.
PageScaffold::~PageScaffold()
{
    disconnect(focusChanges_);
    verticalScrollBar()->disconnect(this);
}

void PageScaffold::addBlock(QWidget* block)
{
    column_->insertWidget(column_->count() - 1, block);
}

bool PageScaffold::eventFilter(QObject* watched, QEvent* event)
{
    // Read before the scroll area fits its scroll bar to the new size, which may move the view.
    const bool follow = watched == widget() && event->type() == QEvent::Resize && focusSeen_;
    const bool handled = QScrollArea::eventFilter(watched, event);
    if (follow) {
        followFocusLater();
    }
    return handled;
}

bool PageScaffold::focusNextPrevChild(bool next)
{
    if (handOff_.keeps()) {
        handOff_.handOnLater();
        return true;
    }
    return QScrollArea::focusNextPrevChild(next);
}

QWidget* PageScaffold::focusHome(QWidget& gone)
{
    return isVisible() ? stopBeside(*widget(), gone) : nullptr;
}

void PageScaffold::focusChanged(QWidget* now)
{
    if (now == nullptr || !widget()->isAncestorOf(now)) {
        focusSeen_ = false;
        return;
    }
    // A click lands where the user looks.
    if (QApplication::mouseButtons() != Qt::NoButton) {
        focusSeen_ = inSight(*now);
        return;
    }
    focusSeen_ = true;
    followFocusLater();
}

void PageScaffold::followFocusLater()
{
    if (followQueued_) {
        return;
    }
    followQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            followQueued_ = false;
            QWidget* focus = focusHere();
            if (focus == nullptr || inSight(*focus)) {
                return;
            }
            scrollToShow(*this, *focus);
            focusSeen_ = true;
        },
        Qt::QueuedConnection);
}

QWidget* PageScaffold::focusHere() const
{
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && widget()->isAncestorOf(focus) && focus->isVisible() ? focus
                                                                                   : nullptr;
}

bool PageScaffold::inSight(const QWidget& control) const
{
    const QRect shown(control.mapTo(viewport(), QPoint()), control.size());
    return viewport()->rect().contains(shown);
}

} // namespace tollenvane
