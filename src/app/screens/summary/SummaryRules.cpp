#include "app/screens/summary/SummaryRules.h"

#include "app/design/LocalizedText.h"
#include "app/design/SpokenSentences.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

std::array<SummaryCounter, 4> summaryCounters(const SessionSummary& summary)
{
    return {{
        {"checkmark", "Gardés", summary.kept},
        {"trash", "Corbeille", summary.trashed},
        {"folder", "Rangés", summary.moved},
        {"clock", "Plus tard", summary.deferred},
    }};
}

QString sortedTotalText(const SessionSummary& summary)
{
    return localized(plural(summary.total(), "{0} fichier trié. Un peu plus de clarté.",
                            "{0} fichiers triés. Un peu plus de clarté."),
                     {Localization::describe(summary.total())});
}

QString trashedBytesText(const SessionSummary& summary)
{
    return localized("{0} mis à la Corbeille", {formattedBytes(summary.trashBytes)});
}

QStringList sessionCountParts(const SessionSummary& summary)
{
    // Each count agrees with its own number; the digits stay plain.
    const auto part = [](std::int64_t count, std::string_view key) {
        return localized(key, {Localization::describe(count)});
    };
    return {part(summary.kept, plural(summary.kept, "{0} gardé", "{0} gardés")),
            part(summary.trashed, "{0} à la Corbeille"),
            part(summary.moved, plural(summary.moved, "{0} rangé", "{0} rangés")),
            part(summary.deferred, "{0} plus tard")};
}

QString summaryNotice(const SessionSummary& summary)
{
    return spokenSentences({localized(summaryTitleKey), sortedTotalText(summary),
                            sessionCountParts(summary).join(QStringLiteral(", ")),
                            trashedBytesText(summary), localized(summaryNoteKey)});
}

bool undoEnabled(std::int64_t undoCount, bool busy)
{
    return undoCount > 0 && !busy;
}

} // namespace tollenvane
