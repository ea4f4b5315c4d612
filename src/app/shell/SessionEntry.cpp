#include "app/shell/SessionEntry.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/LineBox.h"
#include "app/design/Symbol.h"

#include <QPainter>
#include <cmath>

namespace tollenvane {

namespace {

constexpr int spacing = 8;
// Counts up to this many digits fit without widening the entry.
constexpr int countedDigits = 4;

// The count reads as a caption, in fixed-width digits so it does not jitter as it falls.
QFont countFont()
{
    return DesignFont::monospaced(10);
}

} // namespace

SessionEntry::SessionEntry(const QString& symbol, const QString& title, Look look, QWidget* parent)
    : QAbstractButton(parent)
    , symbol_(symbol)
    , look_(std::move(look))
{
    setText(title);
    setAccessibleName(title);
    setFont(look_.font);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // A click leaves the focus, and the deck's keys with it, where it was; Tab still comes here.
    setFocusPolicy(Qt::TabFocus);
}

void SessionEntry::setCount(std::optional<std::int64_t> count)
{
    if (count_ != count) {
        count_ = count;
        updateGeometry();
        update();
    }
}

int SessionEntry::symbolSide() const
{
    return Symbol::sideBeside(font().pixelSize());
}

QString SessionEntry::countText() const
{
    return count_ ? QString::number(*count_) : QString();
}

int SessionEntry::countRoom() const
{
    if (!count_ && !look_.counted) {
        return 0;
    }
    // Fixed-width digits: the widest count of this many digits is as wide as any other.
    const QString widest = look_.counted && countText().size() < countedDigits
                               ? QString(countedDigits, QLatin1Char('0'))
                               : countText();
    return QFontMetrics(countFont()).horizontalAdvance(widest) + spacing;
}

QSize SessionEntry::sizeHint() const
{
    const QFontMetricsF metrics(font());
    const int width = symbolSide() + spacing +
                      static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))) + countRoom();
    return QSize(width + 2 * look_.padding,
                 std::max(lineBox(font()).height, symbolSide()) + 2 * look_.padding);
}

QRect SessionEntry::titleBox() const
{
    const QRect content = rect().adjusted(look_.padding, 0, -look_.padding, 0);
    const int left = content.left() + symbolSide() + spacing;
    int right = content.right() + 1;
    if (count_) {
        right -= QFontMetrics(countFont()).horizontalAdvance(countText()) + spacing;
    }
    return QRect(left, 0, std::max(0, right - left), height());
}

TextFit SessionEntry::titleFit() const
{
    return fitText(text(), QFontMetricsF(font()), titleBox().width(), ElisionSide::end);
}

void SessionEntry::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);

    const QColor orange = Theme::color(Theme::orange);
    if (look_.tinted) {
        QColor tint = orange;
        tint.setAlphaF(0.08F);
        painter.fillPath(continuousRoundedRect(rect(), 8), tint);
    }

    const QRect content = rect().adjusted(look_.padding, 0, -look_.padding, 0);
    const int side = symbolSide();
    Symbol::paint(painter, QRectF(content.left(), (height() - side) / 2.0, side, side),
                  symbol_.toStdString(), orange);

    painter.setPen(orange);
    if (count_) {
        painter.setFont(countFont());
        const int countWidth = QFontMetrics(painter.font()).horizontalAdvance(countText());
        drawLine(painter, QRectF(content.right() + 1 - countWidth, 0, countWidth, height()),
                 Qt::AlignRight, countText());
    }
    painter.setFont(font());
    drawLine(painter, titleBox(), Qt::AlignLeft, titleFit().text);
    paintFocusRing(painter, QRectF(rect()), 8, *this);
}

} // namespace tollenvane
