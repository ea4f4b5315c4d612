#include "app/shell/DiskCard.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int margin = 16;
constexpr int padding = 20;
constexpr int spacing = 12;
constexpr int barHeight = 4;
constexpr int symbolSide = 13;
constexpr int headerSpacing = 8;

QFont cardFont()
{
    return DesignFont::system(11);
}

int lineHeight()
{
    return std::max(QFontMetrics(cardFont()).height(), symbolSide);
}

} // namespace

DiskCard::DiskCard(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("diskCard"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DiskCard::setContent(DiskCardContent content)
{
    if (content_ != content) {
        content_ = std::move(content);
        update();
    }
}

QSize DiskCard::sizeHint() const
{
    const int height = 2 * margin + 2 * padding + 2 * lineHeight() + barHeight + 2 * spacing;
    return QSize(2 * (margin + padding), height);
}

void DiskCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    painter.fillPath(continuousRoundedRect(card, 12), Theme::color(Theme::soft));

    const QRectF inner = card.adjusted(padding, padding, -padding, -padding);
    const QColor muted = Theme::color(Theme::muted);
    const int line = lineHeight();
    const QFont font = cardFont();
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(muted);

    Symbol::paint(
        painter,
        QRectF(inner.left(), inner.top() + (line - symbolSide) / 2.0, symbolSide, symbolSide),
        content_.symbol, muted);
    const QRectF title(inner.left() + symbolSide + headerSpacing, inner.top(),
                       inner.width() - symbolSide - headerSpacing, line);
    painter.drawText(title, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     metrics.elidedText(QString::fromStdString(content_.title), Qt::ElideRight,
                                        static_cast<int>(title.width())));

    // The track is lighter than the card it sits on, so it reads as an empty gauge.
    const QRectF track(inner.left(), inner.top() + line + spacing, inner.width(), barHeight);
    const qreal radius = barHeight / 2.0;
    painter.fillPath(continuousRoundedRect(track, radius), Theme::color(Theme::line));
    if (content_.fill > 0) {
        QColor fill = Theme::color(Theme::orange);
        fill.setAlphaF(0.8F);
        QRectF used = track;
        used.setWidth(track.width() * content_.fill);
        painter.fillPath(continuousRoundedRect(used, radius), fill);
    }

    painter.setPen(muted);
    painter.drawText(QRectF(inner.left(), track.bottom() + spacing, inner.width(), line),
                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                     metrics.elidedText(QString::fromStdString(content_.freeSpace), Qt::ElideRight,
                                        static_cast<int>(inner.width())));
}

} // namespace tollenvane
