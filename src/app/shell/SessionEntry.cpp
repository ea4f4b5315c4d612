#include "app/shell/SessionEntry.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/Symbol.h"

#include <QPainter>
#include <cmath>

namespace tollenvane {

namespace {

constexpr int spacing = 8;

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
}

void SessionEntry::setCount(std::optional<std::int64_t> count)
{
    if (count_ != count) {
        count_ = count;
        update();
    }
}

int SessionEntry::symbolSide() const
{
    return Symbol::sideBeside(font().pixelSize());
}

QSize SessionEntry::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int width = symbolSide() + spacing + metrics.horizontalAdvance(text());
    return QSize(width + 2 * look_.padding,
                 std::max(metrics.height(), symbolSide()) + 2 * look_.padding);
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

    int textRight = content.right();
    painter.setPen(orange);
    if (count_) {
        painter.setFont(countFont());
        const QString count = QString::number(*count_);
        const int countWidth = QFontMetrics(painter.font()).horizontalAdvance(count);
        painter.drawText(QRect(content.right() - countWidth, 0, countWidth + 1, height()),
                         Qt::AlignVCenter | Qt::AlignRight, count);
        textRight -= countWidth + spacing;
    }
    painter.setFont(font());
    const int textLeft = content.left() + side + spacing;
    const QRect textBox(textLeft, 0, textRight - textLeft, height());
    painter.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     QFontMetrics(font()).elidedText(text(), Qt::ElideRight, textBox.width()));
    paintFocusRing(painter, QRectF(rect()), 8, *this);
}

} // namespace tollenvane
