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
#include <algorithm>

namespace tollenvane {
namespace {

// The policy a control had before it was kept out of the chain, and whether a row's controls are.
constexpr char chainedPolicy[] = "tollenvaneChainedFocusPolicy";
constexpr char keptOut[] = "tollenvaneKeptOutOfChain";
// Whether a row that is no control takes the focus in place of its controls; unset until asked.
constexpr char standing[] = "tollenvaneStandsIn";

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

void standInForControls(QWidget& row)
{
    const QVariant stood = row.property(standing);
    // A row that is a control of its own is left as its page made it.
    if (!stood.isValid() && (chainPolicyOf(row) & Qt::TabFocus) != 0) {
        return;
    }
    const std::vector<QWidget*> stops = rowStops(row);
    const bool stands = std::none_of(stops.begin(), stops.end(), [&row](const QWidget* stop) {
        return stop != &row && stop->isVisibleTo(&row) && stop->isEnabled();
    });
    if (stood.isValid() && stood.toBool() == stands) {
        return;
    }
    row.setProperty(standing, stands);
    // Out of the chain, the row keeps its click as its controls do.
    const bool out = stands && row.property(keptOut).toBool();
    row.setProperty(chainedPolicy, out ? QVariant(static_cast<int>(Qt::StrongFocus)) : QVariant());
    row.setFocusPolicy(out ? Qt::ClickFocus : stands ? Qt::StrongFocus : Qt::NoFocus);
}

bool standsIn(const QWidget& row)
{
    return row.property(standing).toBool();
}

bool canStandIn(const QWidget& row)
{
    return row.property(standing).isValid();
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
