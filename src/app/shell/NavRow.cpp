#include "app/shell/NavRow.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/LineBox.h"
#include "app/design/Symbol.h"
#include "app/design/TextFit.h"
#include "app/design/Theme.h"
#include "app/shell/SidebarRules.h"

#include <QPainter>
#include <cmath>

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
    : ChoiceButton(parent)
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
    const qreal title =
        QFontMetricsF(DesignFont::system(13, QFont::DemiBold)).horizontalAdvance(text());
    return QSize(2 * horizontalPadding + tileSide + spacing + static_cast<int>(std::ceil(title)) +
                     spacing + dotSide,
                 tileSide + 2 * verticalPadding);
}

QRectF NavRow::titleBox() const
{
    const qreal left = horizontalPadding + tileSide + spacing;
    qreal right = width() - horizontalPadding;
    if (isSelected()) {
        right -= dotSide + spacing;
    }
    return QRectF(left, 0, std::max(0.0, right - left), height());
}

TextFit NavRow::titleFit() const
{
    return fitText(text(), QFontMetricsF(titleFont()), titleBox().width(), ElisionSide::end, 0.9);
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

    if (isSelected()) {
        const QRectF dot(width() - horizontalPadding - dotSide, (height() - dotSide) / 2.0, dotSide,
                         dotSide);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::color(Theme::orange));
        painter.drawEllipse(dot);
    }

    QFont font = titleFont();
    const TextFit fit = titleFit();
    font.setPixelSize(std::max(1, qRound(font.pixelSize() * fit.scale)));
    painter.setFont(font);
    painter.setPen(Theme::color(isSelected() ? Theme::text : Theme::muted));
    drawLine(painter, titleBox(), Qt::AlignLeft, fit.text);
    paintFocusRing(painter, QRectF(rect()), 8, *this);
}

} // namespace tollenvane
