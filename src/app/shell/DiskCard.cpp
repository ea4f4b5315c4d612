#include "app/shell/DiskCard.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/LineBox.h"
#include "app/design/SpokenFigures.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>
#include <cmath>

namespace tollenvane {

namespace {

constexpr int margin = 16;
constexpr int padding = 20;
constexpr int spacing = 12;
constexpr int barHeight = 4;
constexpr int symbolSide = 13;
constexpr int headerSpacing = 8;

QFont cardFont()
{
    return DesignFont::system(11);
}

int lineHeight()
{
    return std::max(lineBox(cardFont()).height, symbolSide);
}

int wholeWidth(const std::string& text)
{
    return static_cast<int>(
        std::ceil(QFontMetricsF(cardFont()).horizontalAdvance(QString::fromStdString(text))));
}

} // namespace

DiskCard::DiskCard(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("diskCard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DiskCard::setContent(DiskCardContent content)
{
    if (content_ != content) {
        content_ = std::move(content);
        // Nothing here takes the focus: a screen reader's review reads the card as drawn.
        setSpokenName(*this, spokenWithFigures(QString::fromStdString(content_.title),
                                               {QString::fromStdString(content_.freeSpace)}));
        updateGeometry();
        update();
    }
}

QSize DiskCard::sizeHint() const
{
    const int height = 2 * margin + 2 * padding + 2 * lineHeight() + barHeight + 2 * spacing;
    const int title =
        content_.titleIsName ? 0 : symbolSide + headerSpacing + wholeWidth(content_.title);
    return QSize(2 * (margin + padding) + std::max(title, wholeWidth(content_.freeSpace)), height);
}

QRectF DiskCard::inner() const
{
    return QRectF(rect()).adjusted(margin + padding, margin + padding, -margin - padding,
                                   -margin - padding);
}

QRectF DiskCard::titleBox() const
{
    const QRectF area = inner();
    return QRectF(area.left() + symbolSide + headerSpacing, area.top(),
                  std::max(0.0, area.width() - symbolSide - headerSpacing), lineHeight());
}

TextFit DiskCard::titleFit() const
{
    return fitText(QString::fromStdString(content_.title), QFontMetricsF(cardFont()),
                   titleBox().width(), ElisionSide::end);
}

TextFit DiskCard::freeSpaceFit() const
{
    return fitText(QString::fromStdString(content_.freeSpace), QFontMetricsF(cardFont()),
                   inner().width(), ElisionSide::end);
}

void DiskCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    painter.fillPath(continuousRoundedRect(card, 12), Theme::color(Theme::soft));

    const QRectF inner = this->inner();
    const QColor muted = Theme::color(Theme::muted);
    const int line = lineHeight();
    painter.setFont(cardFont());
    painter.setPen(muted);

    Symbol::paint(
        painter,
        QRectF(inner.left(), inner.top() + (line - symbolSide) / 2.0, symbolSide, symbolSide),
        content_.symbol, muted);
    drawLine(painter, titleBox(), Qt::AlignLeft, titleFit().text);

    // The track is lighter than the card it sits on, so it reads as an empty gauge.
    const QRectF track(inner.left(), inner.top() + line + spacing, inner.width(), barHeight);
    const qreal radius = barHeight / 2.0;
    painter.fillPath(continuousRoundedRect(track, radius), Theme::color(Theme::line));
    if (content_.fill > 0) {
        QColor fill = Theme::color(Theme::orange);
        fill.setAlphaF(0.8F);
        QRectF used = track;
        used.setWidth(track.width() * content_.fill);
        painter.fillPath(continuousRoundedRect(used, radius), fill);
    }

    painter.setPen(muted);
    drawLine(painter, QRectF(inner.left(), track.bottom() + spacing, inner.width(), line),
             Qt::AlignLeft, freeSpaceFit().text);
}

} // namespace tollenvane
