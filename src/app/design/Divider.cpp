#include "app/design/Divider.h"

#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

Divider::Divider(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Divider::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::color(Theme::line));
}

} // namespace tollenvane
