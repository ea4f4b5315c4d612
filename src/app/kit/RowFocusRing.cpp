#include "app/kit/RowFocusRing.h"

#include "app/design/FocusRing.h"

#include <QPainter>

namespace tollenvane {

RowFocusRing::RowFocusRing(qreal radius, QWidget* list)
    : QWidget(list)
    , radius_(radius)
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
    paintFocusRing(painter, QRectF(rect()), radius_, *row_);
}

} // namespace tollenvane
