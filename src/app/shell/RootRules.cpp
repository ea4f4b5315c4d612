#include "app/shell/RootRules.h"

#include "app/design/LocalizedText.h"
#include "app/design/SpokenSentences.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

RootOverlay rootOverlay(bool loading, bool onboardingComplete, bool showTutorial)
{
    if (loading) {
        return RootOverlay::launch;
    }
    if (!onboardingComplete || showTutorial) {
        return RootOverlay::tutorial;
    }
    return RootOverlay::none;
}

std::string scanProgressText(std::int64_t indexedCount)
{
    return Localization::text(
        plural(indexedCount, "Analyse · {0} fichier", "Analyse · {0} fichiers"),
        {localizedCount(indexedCount)});
}

std::optional<std::string> issueButtonText(std::int64_t issueCount)
{
    if (issueCount < 1) {
        return std::nullopt;
    }
    return std::to_string(issueCount);
}

std::string issueButtonName(std::int64_t issueCount)
{
    return Localization::text(
        plural(issueCount, "{0} problème d’analyse", "{0} problèmes d’analyse"),
        {localizedCount(issueCount)});
}

QString scanEndNotice(std::int64_t indexedCount, std::int64_t issueCount)
{
    QStringList told{localized(
        plural(indexedCount, "Analyse terminée : {0} fichier", "Analyse terminée : {0} fichiers"),
        {localizedCount(indexedCount)})};
    if (issueCount > 0) {
        told << QString::fromStdString(issueButtonName(issueCount));
    }
    return spokenSentences(told);
}

bool issueListTruncated(std::int64_t issueCount)
{
    return issueCount > shownIssueLimit;
}

} // namespace tollenvane
