#include "app/kit/RowStops.h"

#include "app/kit/TabOrder.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QVariant>
#include <QWidget>

namespace tollenvane {
namespace {

// The policy a control had before it was kept out of the chain, and whether a row's controls are.
constexpr char chainedPolicy[] = "tollenvaneChainedFocusPolicy";
constexpr char keptOut[] = "tollenvaneKeptOutOfChain";

// The policy a control has in the chain, wherever it is now.
int chainPolicyOf(const QWidget& widget)
{
    const QVariant policy = widget.property(chainedPolicy);
    return policy.isValid() ? policy.toInt() : static_cast<int>(widget.focusPolicy());
}

void putBack(QWidget& widget)
{
    const QVariant policy = widget.property(chainedPolicy);
    if (policy.isValid()) {
        widget.setFocusPolicy(static_cast<Qt::FocusPolicy>(policy.toInt()));
        widget.setProperty(chainedPolicy, QVariant());
    }
}

void keepOut(QWidget& stop)
{
    if (stop.property(chainedPolicy).isValid()) {
        return;
    }
    const Qt::FocusPolicy policy = stop.focusPolicy();
    stop.setProperty(chainedPolicy, static_cast<int>(policy));
    stop.setFocusPolicy((policy & Qt::ClickFocus) != 0 ? Qt::ClickFocus : Qt::NoFocus);
}

} // namespace

std::vector<QWidget*> rowStops(QWidget& row)
{
    std::vector<QWidget*> stops = widgetsAsLaidOut(row);
    stops.insert(stops.begin(), &row);
    std::erase_if(stops, [](const QWidget* widget) {
        return (chainPolicyOf(*widget) & Qt::TabFocus) == 0 || widget->focusProxy() != nullptr;
    });
    return stops;
}

void chainRowStops(QWidget& row, bool chained)
{
    const QVariant wasOut = row.property(keptOut);
    if (wasOut.isValid() && wasOut.toBool() == !chained) {
        return;
    }
    row.setProperty(keptOut, !chained);
    for (QWidget* stop : rowStops(row)) {
        if (chained) {
            putBack(*stop);
        } else {
            keepOut(*stop);
        }
    }
}

bool usesNavigationKeys(const QWidget& control)
{
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->textInteractionFlags().testAnyFlags(Qt::TextSelectableByKeyboard |
                                                          Qt::TextEditable);
    }
    return qobject_cast<const QLineEdit*>(&control) != nullptr ||
           qobject_cast<const QTextEdit*>(&control) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(&control) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&control) != nullptr ||
           qobject_cast<const QComboBox*>(&control) != nullptr ||
           (qobject_cast<const QAbstractSlider*>(&control) != nullptr &&
            qobject_cast<const QScrollBar*>(&control) == nullptr);
}

} // namespace tollenvane
