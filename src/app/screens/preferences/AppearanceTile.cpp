#include "app/screens/preferences/AppearanceTile.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int padding = 12;
constexpr int stackSpacing = 12;
constexpr qreal cornerRadius = 12;
constexpr int pictureHeight = 66;
constexpr int pictureMinimumWidth = 96;
constexpr qreal picturePadding = 10;
constexpr qreal pictureRadius = 8;
constexpr qreal pictureSpacing = 7;
constexpr qreal shapeRadius = 3;
constexpr qreal sidebarWidth = 15;
constexpr qreal headerHeight = 10;
constexpr qreal headerSpacing = 5;
constexpr qreal cardSpacing = 4;
constexpr int cardCount = 3;
constexpr qreal systemBandWidth = 45;
constexpr int nameSpacing = 7;
constexpr int namePixelSize = 12;

// The picture shows the window as it looks in that appearance, whatever the current one.
QColor previewBackground(AppAppearance appearance)
{
    return appearance == AppAppearance::light ? QColor::fromRgbF(0.93F, 0.95F, 0.98F)
                                              : QColor::fromRgbF(0.10F, 0.11F, 0.16F);
}

QColor cardColor(AppAppearance appearance)
{
    return appearance == AppAppearance::light ? QColor(Qt::white)
                                              : Theme::withAlpha(QColor(Qt::white), 0.13);
}

std::string_view symbolOf(AppAppearance appearance)
{
    switch (appearance) {
    case AppAppearance::dark:
        return "moon.fill";
    case AppAppearance::light:
        return "sun.max.fill";
    case AppAppearance::system:
        break;
    }
    return "circle.lefthalf.filled";
}

void fillShape(QPainter& painter, const QRectF& rect, qreal radius, const QColor& color)
{
    painter.fillPath(continuousRoundedRect(rect, radius), color);
}

} // namespace

AppearanceTile::AppearanceTile(AppAppearance appearance, QWidget* parent)
    : ChoiceButton(parent)
    , appearance_(appearance)
{
    const QString name = QString::fromStdString(label(appearance));
    setText(name);
    setAccessibleName(name);
    setObjectName(QStringLiteral("appearance-") + QString::fromUtf8(rawValue(appearance)));
    setFont(DesignFont::system(namePixelSize, QFont::Medium));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

int AppearanceTile::nameRowWidth() const
{
    const int side = Symbol::sideBeside(namePixelSize);
    const int marks = isSelected() ? 2 : 1;
    return QFontMetrics(font()).horizontalAdvance(text()) + marks * (side + nameSpacing);
}

QSize AppearanceTile::sizeHint() const
{
    const int rowHeight =
        std::max(QFontMetrics(font()).height(), Symbol::sideBeside(namePixelSize));
    const int width = std::max(pictureMinimumWidth, nameRowWidth());
    return QSize(width + 2 * padding, pictureHeight + stackSpacing + rowHeight + 2 * padding);
}

QSize AppearanceTile::minimumSizeHint() const
{
    return QSize(pictureMinimumWidth + 2 * padding, sizeHint().height());
}

void AppearanceTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);

    const bool selected = isSelected();
    const QPainterPath outline =
        continuousRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), cornerRadius);
    painter.fillPath(outline, selected ? Theme::withAlpha(Theme::color(Theme::orange), 0.08)
                                       : Theme::color(Theme::soft));

    const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    paintWindowPicture(painter, QRectF(content.topLeft(), QSizeF(content.width(), pictureHeight)));
    const qreal rowTop = content.top() + pictureHeight + stackSpacing;
    paintNameRow(painter,
                 QRectF(content.left(), rowTop, content.width(), content.bottom() - rowTop));

    // Stroked last, over the content, as the outline of the whole tile.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(selected ? QPen(Theme::color(Theme::orange), 1.5)
                            : QPen(Theme::color(Theme::line), 1.0));
    painter.drawPath(outline);
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

void AppearanceTile::paintWindowPicture(QPainter& painter, const QRectF& picture) const
{
    fillShape(painter, picture, pictureRadius, previewBackground(appearance_));

    const QRectF inner =
        picture.adjusted(picturePadding, picturePadding, -picturePadding, -picturePadding);
    const QColor accent = Theme::color(Theme::accent);
    fillShape(painter, QRectF(inner.topLeft(), QSizeF(sidebarWidth, inner.height())), shapeRadius,
              Theme::withAlpha(accent, 0.65));

    const qreal mainLeft = inner.left() + sidebarWidth + pictureSpacing;
    const qreal mainWidth = inner.right() - mainLeft;
    fillShape(painter, QRectF(mainLeft, inner.top(), mainWidth, headerHeight), shapeRadius,
              Theme::withAlpha(accent, 0.8));
    const qreal cardTop = inner.top() + headerHeight + headerSpacing;
    const qreal cardWidth = (mainWidth - (cardCount - 1) * cardSpacing) / cardCount;
    for (int card = 0; card < cardCount; ++card) {
        const qreal left = mainLeft + card * (cardWidth + cardSpacing);
        fillShape(painter, QRectF(left, cardTop, cardWidth, inner.bottom() - cardTop), shapeRadius,
                  cardColor(appearance_));
    }

    if (appearance_ == AppAppearance::system) {
        // The light half of the automatic appearance.
        const QRectF band(picture.right() - systemBandWidth, picture.top(), systemBandWidth,
                          picture.height());
        fillShape(painter, band, pictureRadius, Theme::withAlpha(QColor(Qt::white), 0.2));
    }
}

void AppearanceTile::paintNameRow(QPainter& painter, const QRectF& row) const
{
    const int side = Symbol::sideBeside(namePixelSize);
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    qreal left = row.left() + (row.width() - nameRowWidth()) / 2;
    const qreal symbolTop = row.top() + (row.height() - side) / 2;
    const QColor foreground = Theme::color(Theme::text);

    Symbol::paint(painter, QRectF(left, symbolTop, side, side), symbolOf(appearance_), foreground);
    left += side + nameSpacing;
    painter.setFont(font());
    painter.setPen(foreground);
    painter.drawText(QRectF(left, row.top(), textWidth, row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    if (isSelected()) {
        left += textWidth + nameSpacing;
        Symbol::paint(painter, QRectF(left, symbolTop, side, side), "checkmark.circle.fill",
                      Theme::color(Theme::orange));
    }
}

} // namespace tollenvane
