#include "app/design/TextBlock.h"

#include "app/design/LineBox.h"
#include "app/design/SpokenName.h"
#include "app/design/WholeNames.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace tollenvane {

namespace {

constexpr int unbounded = 1000000;

// QTextLayout breaks lines only at Unicode line separators.
QString withLineSeparators(QString text)
{
    return text.replace(QLatin1Char('\n'), QChar::LineSeparator);
}

// Lays the text out in lines no wider than the width; returns the height taken. The first
// baseline and the room below the last one are the line box's, so that neither accents on
// capitals nor descenders and underscores are cut at the edges.
qreal layOut(QTextLayout& layout, qreal width, qreal extraSpacing, Qt::Alignment alignment)
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    const LineBox box = lineBox(layout.font());
    layout.beginLayout();
    qreal y = std::max(0.0, box.baseline - QFontMetricsF(layout.font()).ascent());
    qreal bottom = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        bottom = std::max(y + line.height(), y + line.ascent() + box.height - box.baseline);
        y += line.height() + extraSpacing;
    }
    layout.endLayout();
    return bottom;
}

} // namespace

TextBlock::TextBlock(const QString& text, QWidget* parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    // Kept, the shaped glyphs serve every width the lines are laid out at.
    layout_.setCacheEnabled(true);
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
    laidOut_.reset();
    update();
}

void TextBlock::setMaximumLineWidth(int width)
{
    maximumLineWidth_ = width;
    textChanged();
}

qreal TextBlock::lineWidth(int width) const
{
    return std::min(width, maximumLineWidth_);
}

qreal TextBlock::lineLeft(qreal width) const
{
    if (alignment_ & Qt::AlignHCenter) {
        return (this->width() - width) / 2;
    }
    return (alignment_ & Qt::AlignRight) ? this->width() - width : 0;
}

qreal TextBlock::laidOut(qreal lineWidth) const
{
    if (!laidOut_ || laidOut_->first != lineWidth) {
        laidOut_.emplace(lineWidth, layOut(layout_, lineWidth, lineSpacing_, alignment_));
    }
    return laidOut_->second;
}

QSize TextBlock::sizeHint() const
{
    if (!sizeHint_) {
        const qreal height = laidOut(lineWidth(unbounded));
        sizeHint_ = QSize(static_cast<int>(std::ceil(layout_.maximumWidth())),
                          static_cast<int>(std::ceil(height)));
    }
    return *sizeHint_;
}

QSize TextBlock::minimumSizeHint() const
{
    return QSize(0, heightForWidth(sizeHint().width()));
}

int TextBlock::heightForWidth(int width) const
{
    if (!heightForWidth_ || heightForWidth_->first != width) {
        heightForWidth_.emplace(width, static_cast<int>(std::ceil(laidOut(lineWidth(width)))));
    }
    return heightForWidth_->second;
}

void TextBlock::paintEvent(QPaintEvent*)
{
    const qreal width = lineWidth(this->width());
    laidOut(width);
    QPainter painter(this);
    painter.setPen(color_ ? Theme::color(*color_) : palette().color(QPalette::WindowText));
    layout_.draw(&painter, QPointF(lineLeft(width), 0));
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
    layout_.setText(namesKeptWhole(withLineSeparators(text_)));
    layout_.setFont(font());
    laidOut_.reset();
    sizeHint_.reset();
    heightForWidth_.reset();
    setSpokenName(*this, text_);
    updateGeometry();
    update();
}

} // namespace tollenvane
