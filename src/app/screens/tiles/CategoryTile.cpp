#include "app/screens/tiles/CategoryTile.h"

#include "app/design/DesignFont.h"
#include "app/design/FileCategoryIcon.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "app/screens/tiles/TallyText.h"
#include "app/screens/tiles/TilePainting.h"

#include <QEvent>
#include <QPainter>

namespace tollenvane {

namespace {

constexpr int padding = 16;
constexpr int spacing = 10;
constexpr int iconSide = 48;
constexpr qreal cornerRadius = 16;
constexpr int narrowestWidth = 120;

using TilePainting::paintLine;
using TilePainting::titleFont;

QFont tallyFont()
{
    return DesignFont::system(10);
}

} // namespace

CategoryTile::CategoryTile(FileFilter type, FileTally tally, std::function<void()> action,
                           QWidget* parent)
    : QAbstractButton(parent)
    , type_(type)
    , tally_(tally)
{
    setObjectName(QStringLiteral("category-") + QString::fromUtf8(rawValue(type)));
    setText(QString::fromStdString(label(type)));
    setSpokenName(*this, spokenTally(text(), tally_));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (action) {
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
    }
}

void CategoryTile::setTally(FileTally tally)
{
    if (tally != tally_) {
        tally_ = tally;
        setSpokenName(*this, spokenTally(text(), tally_));
        update();
    }
}

QSize CategoryTile::sizeHint() const
{
    const int height = padding + iconSide + spacing + QFontMetrics(titleFont()).height() + spacing +
                       QFontMetrics(tallyFont()).height() + padding;
    return {narrowestWidth, height};
}

QSize CategoryTile::minimumSizeHint() const
{
    return sizeHint();
}

void CategoryTile::enterEvent(QEnterEvent* event)
{
    setHovering(true);
    QAbstractButton::enterEvent(event);
}

void CategoryTile::leaveEvent(QEvent* event)
{
    setHovering(false);
    QAbstractButton::leaveEvent(event);
}

void CategoryTile::setHovering(bool hovering)
{
    if (hovering != hovering_) {
        hovering_ = hovering;
        update();
    }
}

void CategoryTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);

    const QPainterPath shape = TilePainting::cardShape(rect(), cornerRadius);
    painter.fillPath(shape, Theme::color(hovering_ ? Theme::soft : Theme::panel));

    const QRect content = rect().adjusted(padding, padding, -padding, -padding);
    FileCategoryIcon::paint(painter, QRectF(content.left(), content.top(), iconSide, iconSide),
                            type_);
    const int arrowSide = Symbol::sideBeside(TilePainting::actionFont().pixelSize());
    const QColor arrowColor =
        hovering_ ? Theme::color(Theme::orange) : Theme::withAlpha(Theme::color(Theme::muted), 0.6);
    Symbol::paint(painter,
                  QRectF(content.right() + 1 - arrowSide,
                         content.top() + (iconSide - arrowSide) / 2.0, arrowSide, arrowSide),
                  "arrow.up.right", arrowColor);

    int top = content.top() + iconSide + spacing;
    const QFontMetrics titleMetrics(titleFont());
    paintLine(painter, QRect(content.left(), top, content.width(), titleMetrics.height()), text(),
              titleFont(), Theme::color(Theme::text));
    top += titleMetrics.height() + spacing;

    const QFontMetrics tallyMetrics(tallyFont());
    paintLine(painter, QRect(content.left(), top, content.width(), tallyMetrics.height()),
              tallyText(tally_), tallyFont(), Theme::color(Theme::muted));

    const QColor stroke =
        hovering_ ? Theme::withAlpha(Theme::color(Theme::orange), 0.4) : Theme::color(Theme::line);
    painter.setPen(QPen(stroke, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

} // namespace tollenvane
