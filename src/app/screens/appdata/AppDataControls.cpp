#include "app/screens/appdata/AppDataControls.h"

#include "app/design/ShownName.h"

namespace tollenvane {

AppDataControls appDataControls(const AppDataFlags& flags)
{
    const bool searchShown = flags.removedApplications > 0;
    return {.searchShown = searchShown,
            .searchEnabled = searchShown && !flags.scanningAppData && !flags.scanningApplications &&
                             !flags.sessionActive && !flags.busy,
            .stopShown = searchShown && flags.scanningAppData};
}

QString appDataTitle(const AppDataEntry& entry)
{
    return shownName(entry.owner) + QStringLiteral(" \u00B7 ") +
           QString::fromStdString(label(entry.category));
}

} // namespace tollenvane
