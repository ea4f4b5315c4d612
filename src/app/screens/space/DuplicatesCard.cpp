#include "app/screens/space/DuplicatesCard.h"

#include "app/design/FileCategoryIcon.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/LocalizedText.h"
#include "app/design/Theme.h"
#include "app/screens/tiles/TilePainting.h"

#include <QPainter>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr int padding = 24;
constexpr int spacing = 12;
constexpr int iconSide = 40;
constexpr qreal cornerRadius = 16;

using namespace TilePainting;

} // namespace

DuplicatesCard::DuplicatesCard(QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(localized("Doublons exacts"));
}

void DuplicatesCard::setWaitingForScan(bool waiting)
{
    if (waiting != waiting_) {
        waiting_ = waiting;
        update();
    }
}

QString DuplicatesCard::actionText() const
{
    return waiting_ ? localized("Disponible après l’analyse")
                    : localized("Rechercher les doublons");
}

QSize DuplicatesCard::sizeHint() const
{
    const int height = padding + iconSide + spacing + QFontMetrics(smallFont()).height() + spacing +
                       actionHeight() + padding;
    return {260, height};
}

QSize DuplicatesCard::minimumSizeHint() const
{
    return {180, sizeHint().height()};
}

void DuplicatesCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);
    const QPainterPath shape = cardShape(rect(), cornerRadius);
    painter.fillPath(shape, Theme::color(Theme::panel));
    painter.strokePath(shape, QPen(Theme::color(Theme::line), 1));

    const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    qreal top = content.top();
    FileCategoryIcon::paint(painter, QRectF(content.left(), top, iconSide, iconSide),
                            FileFilter::all);
    const qreal textLeft = content.left() + iconSide + spacing;
    paintLine(painter, QRectF(textLeft, top, content.right() - textLeft, iconSide),
              localized("Doublons exacts"), titleFont(), Theme::color(Theme::text));
    top += iconSide + spacing;

    const int smallHeight = QFontMetrics(smallFont()).height();
    paintLine(painter, QRectF(content.left(), top, content.width(), smallHeight),
              localized("Vérification locale par SHA-256"), smallFont(),
              Theme::color(Theme::muted));
    top += smallHeight + spacing;
    paintAction(painter, QRectF(content.left(), top, content.width(), actionHeight()),
                actionText());
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

} // namespace tollenvane
