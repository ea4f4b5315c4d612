#include "app/kit/RowText.h"

#include "app/design/ShownName.h"
#include "app/design/SpokenName.h"
#include "app/kit/RowStops.h"
#include "app/kit/TabOrder.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace tollenvane {

QString shownRowText(QWidget& row, const QString& name)
{
    const std::vector<QWidget*> stops = rowStops(row);
    const auto inControl = [&](const QWidget* widget) {
        for (const QWidget* at = widget; at != nullptr && at != &row; at = at->parentWidget()) {
            if (std::find(stops.begin(), stops.end(), at) != stops.end()) {
                return true;
            }
        }
        return false;
    };
    // Names may come as shown or as read out: compared as read out.
    const QString spokenName = spokenText(name);
    QStringList texts;
    for (const QWidget* widget : widgetsAsLaidOut(row)) {
        if (!widget->isVisibleTo(&row) || inControl(widget)) {
            continue;
        }
        // A label gives its text; the design's own texts name themselves with theirs.
        const auto* label = qobject_cast<const QLabel*>(widget);
        const QString text =
            spokenText(label != nullptr ? label->text() : widget->accessibleName());
        if (!text.isEmpty() && text != spokenName) {
            texts << text;
        }
    }
    return texts.join(QStringLiteral(", "));
}

void tellRowItem(QWidget& row, const QString& name)
{
    const QString spoken = spokenText(name);
    for (QWidget* stop : rowStops(row)) {
        if (stop != &row && stop->accessibleName() != spoken &&
            stop->accessibleDescription() != spoken) {
            stop->setAccessibleDescription(spoken);
        }
    }
    if (!canStandIn(row)) {
        return;
    }
    const bool stands = standsIn(row);
    setSpokenName(row, stands ? name : QString());
    const QString description = stands ? shownRowText(row, spoken) : QString();
    if (row.accessibleDescription() != description) {
        row.setAccessibleDescription(description);
    }
}

} // namespace tollenvane
