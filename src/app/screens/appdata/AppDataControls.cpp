#include "app/screens/appdata/AppDataControls.h"

#include "app/design/LocalizedText.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenSentences.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

AppDataControls appDataControls(const AppDataFlags& flags)
{
    const bool searchShown = flags.removedApplications > 0;
    return {.searchShown = searchShown,
            .searchEnabled = searchShown && !flags.scanningAppData && !flags.scanningApplications &&
                             !flags.sessionActive && !flags.busy,
            .stopShown = searchShown && flags.scanningAppData};
}

QString inspectionEndNotice(const AppDataReport& report)
{
    const auto found = static_cast<std::int64_t>(report.entries.size());
    const auto unread = static_cast<std::int64_t>(report.issues.size());
    QStringList told{found == 0 ? localized("Recherche terminée : aucune donnée trouvée")
                                : localized(plural(found, "Recherche terminée : {0} élément trouvé",
                                                   "Recherche terminée : {0} éléments trouvés"),
                                            {localizedCount(found)})};
    if (unread > 0) {
        told << localized(
            plural(unread, "{0} élément n’a pas pu être lu", "{0} éléments n’ont pas pu être lus"),
            {localizedCount(unread)});
    }
    return spokenSentences(told);
}

QString disclosureNotice(bool open)
{
    return localized(open ? "Développé" : "Réduit");
}

QString appDataTitle(const AppDataEntry& entry)
{
    return shownName(entry.owner) + QStringLiteral(" \u00B7 ") +
           QString::fromStdString(label(entry.category));
}

} // namespace tollenvane
