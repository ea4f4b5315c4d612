#include "app/design/TextBlock.h"

#include <QEvent>
#include <QPainter>
#include <QTextLayout>
#include <cmath>
#include <limits>

namespace tollenvane {

namespace {

constexpr qreal unbounded = 1e6;

// Lays the text out in lines no wider than the width; returns the height taken.
qreal layOut(QTextLayout& layout, qreal width, qreal extraSpacing, Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height() + extraSpacing;
    }
    layout.endLayout();
    return layout.lineCount() > 0 ? y - extraSpacing : 0;
}

} // namespace

TextBlock::TextBlock(const QString& text, QWidget* parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setText(text);
}

void TextBlock::setText(const QString& text)
{
    text_ = text;
    textChanged();
}

void TextBlock::setColor(std::optional<ThemeColor> token)
{
    color_ = token;
    update();
}

void TextBlock::setLineSpacing(qreal extra)
{
    lineSpacing_ = extra;
    textChanged();
}

void TextBlock::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

QSize TextBlock::sizeHint() const
{
    QTextLayout layout(text_, font());
    const qreal height = layOut(layout, unbounded, lineSpacing_, alignment_);
    return QSize(static_cast<int>(std::ceil(layout.maximumWidth())),
                 static_cast<int>(std::ceil(height)));
}

QSize TextBlock::minimumSizeHint() const
{
    return QSize(0, heightForWidth(sizeHint().width()));
}

int TextBlock::heightForWidth(int width) const
{
    QTextLayout layout(text_, font());
    return static_cast<int>(std::ceil(layOut(layout, width, lineSpacing_, alignment_)));
}

void TextBlock::paintEvent(QPaintEvent*)
{
    QTextLayout layout(text_, font());
    layOut(layout, width(), lineSpacing_, alignment_);
    QPainter painter(this);
    painter.setPen(color_ ? Theme::color(*color_) : palette().color(QPalette::WindowText));
    layout.draw(&painter, QPointF(0, 0));
}

void TextBlock::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        textChanged();
    }
    QWidget::changeEvent(event);
}

void TextBlock::textChanged()
{
    setAccessibleName(text_);
    updateGeometry();
    update();
}

} // namespace tollenvane
