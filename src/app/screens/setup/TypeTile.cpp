#include "app/screens/setup/TypeTile.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FileCategoryIcon.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int padding = 13;
constexpr int iconSide = 30;
constexpr int spacing = 9;
constexpr int textPixelSize = 12;
constexpr qreal cornerRadius = 8;
constexpr qreal selectedFillOpacity = 0.12;
constexpr qreal selectedStrokeOpacity = 0.3;

QColor withOpacity(QColor color, qreal opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

} // namespace

TypeTile::TypeTile(FileFilter type, QWidget* parent)
    : ChoiceButton(parent)
    , type_(type)
{
    const QString name = QString::fromStdString(label(type));
    setText(name);
    setAccessibleName(name);
    setFont(DesignFont::system(textPixelSize));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize TypeTile::sizeHint() const
{
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int check = Symbol::sideBeside(textPixelSize);
    return {2 * padding + iconSide + 2 * spacing + textWidth + check, 2 * padding + iconSide};
}

void TypeTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);

    const QColor orange = Theme::color(Theme::orange);
    const QColor fill =
        isSelected() ? withOpacity(orange, selectedFillOpacity) : Theme::color(Theme::soft);
    const QColor stroke =
        isSelected() ? withOpacity(orange, selectedStrokeOpacity) : Theme::color(Theme::line);
    const QColor foreground = isSelected() ? orange : Theme::color(Theme::text);

    const QPainterPath shape =
        continuousRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
    painter.fillPath(shape, fill);
    painter.strokePath(shape, QPen(stroke, 1));

    const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    const qreal middle = content.center().y();
    FileCategoryIcon::paint(
        painter, QRectF(content.left(), middle - iconSide / 2.0, iconSide, iconSide), type_);

    qreal right = content.right();
    if (isSelected()) {
        const int check = Symbol::sideBeside(textPixelSize);
        Symbol::paint(painter, QRectF(right - check, middle - check / 2.0, check, check),
                      "checkmark", foreground);
        right -= check + spacing;
    }
    const QRectF title(content.left() + iconSide + spacing, content.top(),
                       right - content.left() - iconSide - spacing, content.height());
    painter.setPen(foreground);
    painter.drawText(
        title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        fontMetrics().elidedText(text(), Qt::ElideRight, static_cast<int>(title.width())));
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

} // namespace tollenvane
