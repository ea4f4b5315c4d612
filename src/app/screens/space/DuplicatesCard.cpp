#include "app/screens/space/DuplicatesCard.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FileCategoryIcon.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/LocalizedText.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "core/localisation/Localization.h"

#include <QPainter>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr int padding = 24;
constexpr int spacing = 12;
constexpr int iconSide = 40;
constexpr qreal cornerRadius = 16;

QFont titleFont()
{
    return DesignFont::system(13, QFont::DemiBold);
}

QFont smallFont()
{
    return DesignFont::system(11);
}

QFont actionFont()
{
    return DesignFont::system(11, QFont::DemiBold);
}

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
                       std::max(QFontMetrics(actionFont()).height(), Symbol::sideBeside(11)) +
                       padding;
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
    const QPainterPath shape =
        continuousRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
    painter.fillPath(shape, Theme::color(Theme::panel));
    painter.strokePath(shape, QPen(Theme::color(Theme::line), 1));

    const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    qreal top = content.top();
    FileCategoryIcon::paint(painter, QRectF(content.left(), top, iconSide, iconSide),
                            FileFilter::all);
    painter.setFont(titleFont());
    painter.setPen(Theme::color(Theme::text));
    const qreal textLeft = content.left() + iconSide + spacing;
    painter.drawText(QRectF(textLeft, top, content.right() - textLeft, iconSide),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetrics(titleFont())
                         .elidedText(localized("Doublons exacts"), Qt::ElideRight,
                                     static_cast<int>(content.right() - textLeft)));
    top += iconSide + spacing;

    painter.setFont(smallFont());
    painter.setPen(Theme::color(Theme::muted));
    const int smallHeight = QFontMetrics(smallFont()).height();
    painter.drawText(QRectF(content.left(), top, content.width(), smallHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     localized("Vérification locale par SHA-256"));
    top += smallHeight + spacing;

    const int arrowSide = Symbol::sideBeside(11);
    const int actionHeight = std::max(QFontMetrics(actionFont()).height(), arrowSide);
    const QColor orange = Theme::color(Theme::orange);
    painter.setFont(actionFont());
    painter.setPen(orange);
    painter.drawText(QRectF(content.left(), top, content.width() - arrowSide, actionHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, actionText());
    Symbol::paint(painter,
                  QRectF(content.right() - arrowSide, top + (actionHeight - arrowSide) / 2.0,
                         arrowSide, arrowSide),
                  "arrow.right", orange);
}

} // namespace tollenvane
