#include "app/tutorial/DemoButton.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LocalizedText.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "app/tutorial/TutorialRules.h"
#include "core/localisation/Localization.h"

#include <QPainter>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int fontSize = 11;
constexpr int padding = 12;
constexpr int spacing = 6;
constexpr qreal cornerRadius = 10;
constexpr qreal washOpacity = 0.08;
constexpr qreal pressedOpacity = 0.7;

} // namespace

DemoButton::DemoButton(Decision decision, QWidget* parent)
    : QAbstractButton(parent)
    , decision_(decision)
{
    const QString title = localized(demonstration(decision).titleKey);
    setText(title);
    setAccessibleName(title);
    setObjectName(QStringLiteral("demo-") + QString::fromUtf8(rawValue(decision)));
    setFont(DesignFont::system(fontSize));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

int DemoButton::symbolSide() const
{
    return Symbol::sideBeside(fontSize);
}

QSize DemoButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int width = symbolSide() + spacing + metrics.horizontalAdvance(text());
    const int height = std::max(symbolSide(), metrics.height());
    return {width + 2 * padding, height + 2 * padding};
}

void DemoButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown()) {
        painter.setOpacity(pressedOpacity);
    }
    const QColor color = demonstrationColor(decision_, Theme::currentScheme());
    QColor wash = color;
    wash.setAlphaF(washOpacity);
    painter.fillPath(continuousRoundedRect(QRectF(rect()), cornerRadius), wash);

    const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    const int side = symbolSide();
    Symbol::paint(painter, QRectF(content.left(), content.center().y() - side / 2.0, side, side),
                  demonstration(decision_).symbol, color);
    painter.setPen(color);
    painter.drawText(content.adjusted(side + spacing, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

} // namespace tollenvane
