#include "app/design/SpokenName.h"

#include "app/design/ShownName.h"

#include <QWidget>

namespace tollenvane {

void setSpokenName(QWidget& widget, const QString& shown)
{
    const QString spoken = spokenText(shown);
    if (widget.accessibleName() != spoken) {
        widget.setAccessibleName(spoken);
    }
}

void setSpokenDescription(QWidget& widget, const QString& shown)
{
    const QString spoken = spokenText(shown);
    if (widget.accessibleDescription() != spoken) {
        widget.setAccessibleDescription(spoken);
    }
}

} // namespace tollenvane
