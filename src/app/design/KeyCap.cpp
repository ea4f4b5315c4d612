#include "app/design/KeyCap.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int horizontalPadding = 7;
constexpr int verticalPadding = 4;
constexpr qreal cornerRadius = 5;

} // namespace

KeyCap::KeyCap(const QString& key, QWidget* parent)
    : QWidget(parent)
    , key_(key)
{
    setFont(DesignFont::monospaced(11, QFont::Medium));
    setAccessibleName(key);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize KeyCap::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(key_) + 2 * horizontalPadding,
                 metrics.height() + 2 * verticalPadding);
}

void KeyCap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(rect(), cornerRadius), Theme::color(Theme::soft));
    painter.setPen(Theme::color(Theme::muted));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, key_);
}

} // namespace tollenvane
