#pragma once

#include "core/records/SessionSummary.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <string_view>

namespace tollenvane {

// One counter of the session's decisions.
struct SummaryCounter {
    const char* symbol;
    const char* labelKey;
    std::int64_t value;
};

// Kept, trashed, moved and deferred, in that order.
std::array<SummaryCounter, 4> summaryCounters(const SessionSummary& summary);

// The page's title and the note under the bytes sent to the Trash, as catalogue keys.
inline constexpr std::string_view summaryTitleKey = "Bien joué.";
inline constexpr std::string_view summaryNoteKey =
    "L’espace sera libéré après le vidage de la Corbeille dans le gestionnaire de fichiers.";

// "4 files sorted. A little more clarity."
QString sortedTotalText(const SessionSummary& summary);
// "1.2 MB moved to the Trash"
QString trashedBytesText(const SessionSummary& summary);
// Each kind of decision with its count, in the counters' order: "1 kept", "2 to the Trash"...
QStringList sessionCountParts(const SessionSummary& summary);
// What the page says as it shows, in reading order: the title, the total, the counts, the bytes
// sent to the Trash and the note under them.
QString summaryNotice(const SessionSummary& summary);

// The last decision can be taken back: one is left to undo and none is being carried out.
bool undoEnabled(std::int64_t undoCount, bool busy);

} // namespace tollenvane
