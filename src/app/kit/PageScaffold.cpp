#include "app/kit/PageScaffold.h"

#include <QVBoxLayout>

namespace tollenvane {

PageScaffold::PageScaffold(Page page, int spacing, int padding, QWidget* parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("page-") + QString::fromUtf8(rawValue(page)));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab stops at the page's controls, never at the page itself, which would show no ring.
    setFocusPolicy(Qt::NoFocus);
    // The window's background shows through: the page only lays out.
    viewport()->setAutoFillBackground(false);

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("pageContent"));
    content->setAutoFillBackground(false);
    column_ = new QVBoxLayout(content);
    column_->setSpacing(spacing);
    column_->setContentsMargins(padding, padding, padding, padding);
    column_->addStretch(1);
    setWidget(content);
}

void PageScaffold::addBlock(QWidget* block)
{
    column_->insertWidget(column_->count() - 1, block);
}

} // namespace tollenvane
