#include "app/shell/NavRow.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/Symbol.h"
#include "app/design/TextFit.h"
#include "app/design/Theme.h"
#include "app/shell/SidebarRules.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int horizontalPadding = 13;
constexpr int verticalPadding = 8;
constexpr int tileSide = 30;
constexpr int spacing = 12;
constexpr int symbolSide = 17;
constexpr int dotSide = 5;

} // namespace

NavRow::NavRow(Page page, QWidget* parent)
    : SelectableButton(parent)
    , page_(page)
{
    const QString title = QString::fromStdString(label(page));
    setText(title);
    setAccessibleName(title);
    setObjectName(QStringLiteral("nav-") + QString::fromUtf8(rawValue(page)));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
}

QFont NavRow::titleFont() const
{
    return DesignFont::system(13, isSelected() ? QFont::DemiBold : QFont::Normal);
}

QSize NavRow::sizeHint() const
{
    return QSize(2 * horizontalPadding + tileSide + spacing, tileSide + 2 * verticalPadding);
}

void NavRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);

    if (isSelected()) {
        painter.fillPath(continuousRoundedRect(rect(), 8), Theme::color(Theme::soft));
    }

    const QRectF tile(horizontalPadding, verticalPadding, tileSide, tileSide);
    QColor tileFill = Theme::color(isSelected() ? Theme::orange : Theme::soft);
    if (isSelected()) {
        tileFill.setAlphaF(0.12F);
    }
    painter.fillPath(continuousRoundedRect(tile, 9), tileFill);
    const QRectF symbolBox(tile.center() - QPointF(symbolSide, symbolSide) / 2,
                           QSizeF(symbolSide, symbolSide));
    Symbol::paint(painter, symbolBox, navigationSymbol(page_),
                  Theme::color(isSelected() ? Theme::orange : Theme::muted));

    qreal titleRight = width() - horizontalPadding;
    if (isSelected()) {
        const QRectF dot(titleRight - dotSide, (height() - dotSide) / 2.0, dotSide, dotSide);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::color(Theme::orange));
        painter.drawEllipse(dot);
        titleRight = dot.left() - spacing;
    }

    const qreal titleLeft = tile.right() + spacing;
    QFont font = titleFont();
    const TextFit fit =
        fitText(text(), QFontMetricsF(font), titleRight - titleLeft, ElisionSide::end, 0.9);
    font.setPixelSize(std::max(1, qRound(font.pixelSize() * fit.scale)));
    painter.setFont(font);
    painter.setPen(Theme::color(isSelected() ? Theme::text : Theme::muted));
    painter.drawText(QRectF(titleLeft, 0, titleRight - titleLeft, height()),
                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, fit.text);
    paintFocusRing(painter, QRectF(rect()), 8, *this);
}

} // namespace tollenvane
