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
constexpr int labelPixelSize = 11;
constexpr int arrowPixelSize = 15;

QFont labelFont()
{
    return DesignFont::monospaced(labelPixelSize, QFont::Medium);
}

// The monospaced cell squeezes an arrow to a few pixels: an arrow alone is drawn larger, in the
// proportional font, on a cap of the same height as the others.
bool isArrow(const QString& key)
{
    return key.size() == 1 && QStringLiteral("\u2190\u2191\u2192\u2193").contains(key.front());
}

} // namespace

KeyCap::KeyCap(const QString& key, QWidget* parent)
    : QWidget(parent)
    , key_(key)
{
    setFont(isArrow(key) ? DesignFont::system(arrowPixelSize, QFont::Medium) : labelFont());
    setAccessibleName(key);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize KeyCap::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(key_) + 2 * horizontalPadding,
                 QFontMetrics(labelFont()).height() + 2 * verticalPadding);
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
