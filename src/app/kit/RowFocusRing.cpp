#include "app/kit/RowFocusRing.h"

#include "app/design/FocusRing.h"
#include "app/design/Panel.h"

#include <QPainter>

namespace tollenvane {
namespace {

constexpr qreal rowCornerRadius = 8;

} // namespace

RowFocusRing::RowFocusRing(QWidget* list)
    : QWidget(list)
{
    setObjectName(QStringLiteral("rowFocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void RowFocusRing::follow(QWidget* row)
{
    row_ = row;
    if (row == nullptr) {
        hide();
        return;
    }
    if (geometry() != row->geometry()) {
        setGeometry(row->geometry());
    }
    show();
    raise();
    update();
}

void RowFocusRing::paintEvent(QPaintEvent*)
{
    if (row_ == nullptr) {
        return;
    }
    QPainter painter(this);
    const qreal radius =
        qobject_cast<const Panel*>(row_.data()) != nullptr ? Panel::cornerRadius : rowCornerRadius;
    paintFocusRing(painter, QRectF(rect()), radius, *row_);
}

} // namespace tollenvane
