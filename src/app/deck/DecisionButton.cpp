#include "app/deck/DecisionButton.h"

#include "app/deck/KeyedControlText.h"
#include "app/deck/ReviewRules.h"
#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/LocalizedText.h"
#include "app/design/Symbol.h"
#include "core/localisation/Localization.h"

#include <QPainter>

namespace tollenvane {
namespace {

constexpr int buttonWidth = 90;
constexpr QSize tile{52, 46};
constexpr qreal tileRadius = 12;
constexpr int symbolSize = 19;
constexpr int spacing = 8;
constexpr int labelSize = 10;
constexpr int labelSpacing = 5;
constexpr double fillOpacity = 0.075;
constexpr double strokeOpacity = 0.16;

QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(color.alphaF() * opacity);
    return color;
}

} // namespace

DecisionButton::DecisionButton(Decision decision, QWidget* parent)
    : QAbstractButton(parent)
    , decision_(decision)
{
    const QString title = localized(decisionTitleKey(decision));
    const QString withKey = title + QStringLiteral("  ·  ") + decisionArrow(decision);
    setText(title);
    setKeyedControlText(*this, title, decisionArrow(decision), withKey);
    setFont(DesignFont::system(labelSize));
    setCursor(Qt::PointingHandCursor);
    // A click leaves the focus, and the deck's keys with it, where it was; Tab still comes here.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

// Room is kept above the tile for the ring around it.
QSize DecisionButton::sizeHint() const
{
    return {buttonWidth, focusRingMargin + tile.height() + spacing + QFontMetrics(font()).height()};
}

void DecisionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);
    const QColor color = decisionButtonColor(decision_, Theme::currentScheme());

    QRectF box(0, focusRingMargin, tile.width(), tile.height());
    box.moveLeft((buttonWidth - tile.width()) / 2.0);
    const QPainterPath shape =
        continuousRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), tileRadius);
    painter.fillPath(shape, withOpacity(color, fillOpacity));
    painter.setPen(QPen(withOpacity(color, strokeOpacity), 1.0));
    painter.drawPath(shape);
    const int side = Symbol::sideBeside(symbolSize);
    QRectF symbol(0, 0, side, side);
    symbol.moveCenter(box.center());
    Symbol::paint(painter, symbol, decisionSymbol(decision_), color);

    const QFontMetrics metrics(font());
    const QString arrow = decisionArrow(decision_);
    const int titleWidth = metrics.horizontalAdvance(text());
    const int lineWidth = titleWidth + labelSpacing + metrics.horizontalAdvance(arrow);
    const int top = focusRingMargin + tile.height() + spacing;
    const int left = (buttonWidth - lineWidth) / 2;
    painter.setFont(font());
    painter.setPen(Theme::color(Theme::text));
    painter.drawText(QRect(left, top, titleWidth, metrics.height()), Qt::AlignLeft, text());
    painter.setPen(Theme::color(Theme::muted));
    painter.drawText(QRect(left + titleWidth + labelSpacing, top, buttonWidth, metrics.height()),
                     Qt::AlignLeft, arrow);
    const qreal ring = focusRingMargin;
    paintFocusRing(painter, box.adjusted(-ring, -ring, ring, ring), tileRadius + ring, *this);
}

} // namespace tollenvane
