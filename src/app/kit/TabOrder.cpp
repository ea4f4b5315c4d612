#include "app/kit/TabOrder.h"

#include <QGridLayout>
#include <QLayout>
#include <QSet>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace tollenvane {
namespace {

class TabWalk {
public:
    // Every widget met, or only those that take the focus.
    explicit TabWalk(bool everyWidget)
        : everyWidget_(everyWidget)
    {}

    std::vector<QWidget*> stops;

    void visitInside(QWidget& widget)
    {
        seen_.insert(&widget);
        if (widget.layout() != nullptr) {
            visitLayout(*widget.layout());
        }
        for (QObject* child : widget.children()) {
            auto* childWidget = qobject_cast<QWidget*>(child);
            // A sheet is a window of its own, with its own order.
            if (childWidget != nullptr && !childWidget->isWindow() &&
                !seen_.contains(childWidget)) {
                visit(*childWidget);
            }
        }
    }

private:
    void visit(QWidget& widget)
    {
        // A widget focused by a click only is placed too, so that Tab goes on from where it lies.
        // One that hands its focus to a control of its own is placed with them, ahead of them:
        // left out, it would stay where it was in the chain and take Tab there for its control.
        const QWidget* proxy = widget.focusProxy();
        if (everyWidget_ || (widget.focusPolicy() != Qt::NoFocus &&
                             (proxy == nullptr || widget.isAncestorOf(proxy)))) {
            stops.push_back(&widget);
        }
        visitInside(widget);
    }

    void visitLayout(QLayout& layout)
    {
        std::vector<QLayoutItem*> items;
        for (int index = 0; index < layout.count(); ++index) {
            items.push_back(layout.itemAt(index));
        }
        if (auto* grid = qobject_cast<QGridLayout*>(&layout)) {
            std::ranges::stable_sort(items, {}, [grid](QLayoutItem* item) {
                int row = 0;
                int column = 0;
                int rowSpan = 0;
                int columnSpan = 0;
                grid->getItemPosition(grid->indexOf(item), &row, &column, &rowSpan, &columnSpan);
                return std::pair{row, column};
            });
        }
        for (QLayoutItem* item : items) {
            if (QWidget* widget = item->widget()) {
                if (!seen_.contains(widget)) {
                    visit(*widget);
                }
            } else if (QLayout* inner = item->layout()) {
                visitLayout(*inner);
            }
        }
    }

    bool everyWidget_;
    QSet<const QWidget*> seen_;
};

} // namespace

void orderTabsAsLaidOut(QWidget& root)
{
    const std::vector<QWidget*> stops = tabStopsAsLaidOut(root);
    for (std::size_t index = 1; index < stops.size(); ++index) {
        QWidget::setTabOrder(stops[index - 1], stops[index]);
    }
}

std::vector<QWidget*> tabStopsAsLaidOut(QWidget& root)
{
    TabWalk walk(false);
    walk.visitInside(root);
    return std::move(walk.stops);
}

std::vector<QWidget*> widgetsAsLaidOut(QWidget& root)
{
    TabWalk walk(true);
    walk.visitInside(root);
    return std::move(walk.stops);
}

QWidget* firstTabStop(QWidget& root)
{
    const std::vector<QWidget*> stops = tabStopsAsLaidOut(root);
    const auto first = std::ranges::find_if(stops, [&root](const QWidget* stop) {
        return (stop->focusPolicy() & Qt::TabFocus) != 0 && stop->isVisibleTo(&root) &&
               stop->isEnabled();
    });
    return first == stops.end() ? nullptr : *first;
}

} // namespace tollenvane
