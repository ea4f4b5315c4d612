#include "app/shell/IssueList.h"

#include "app/design/FocusRing.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int ringRadius = 4;
constexpr int ringRoom = focusRingMargin + 1;

} // namespace

IssueList::IssueList(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("issueList"));
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(QMargins() + ringRoom);
    connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
}

void IssueList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QLabel* line : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        paintFocusRing(painter, line->geometry().adjusted(-ringRoom, -ringRoom, ringRoom, ringRoom),
                       ringRadius, *line);
    }
}

} // namespace tollenvane
