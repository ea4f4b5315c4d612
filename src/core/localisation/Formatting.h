#pragma once

#include "core/base/Date.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tollenvane {

// Each function reads the current language once, so a result never mixes two languages.

// A byte count in decimal units (1 KB = 1000 bytes) with at most one decimal: "999 B",
// "1.5 KB", "1,5 Ko" in French, a no-break space before the unit; a negative count is 0 B, and
// 1000 TB and more stay in TB.
std::string formattedBytes(std::int64_t bytes);

// Medium date style (and short time style when `includeTime`), in the local time zone.
std::string localizedDate(Date date, bool includeTime);

// A count in the language's integer format, grouped: "50,028" in English, "50 028" with a narrow
// no-break space in French.
std::string localizedCount(std::int64_t count);

// How a share becomes a whole percentage: to the nearest one, or down, so that a disk with a
// byte left never reads full.
enum class PercentRounding { nearest, down };

// A share from 0 to 1 as a whole percentage, from 0 to 100. Either way 0.29, stored just below
// 0.29, gives 29; down, 0.429 gives 42 and 0.9999 gives 99. A share outside 0 to 1 is clamped and
// one that is not finite gives 0.
int wholePercent(double share, PercentRounding rounding = PercentRounding::nearest);

// A share's whole percentage in the language's form: "45%" in English, "45 %" with a no-break
// space in French.
std::string localizedPercent(double share, PercentRounding rounding = PercentRounding::nearest);

// `one` when the plural rules of the language in force put `count` in their "one" form (1 in
// English, 0 and 1 in French), `other` otherwise: the key to look up for a text about `count`
// things, as in L(plural(n, "{0} fichier trié.", "{0} fichiers triés."), localizedCount(n)).
std::string_view plural(std::int64_t count, std::string_view one, std::string_view other);

// "1 fichier" for exactly one, else "{0} fichiers" with the count in the locale's integer format.
std::string localizedFileCount(std::int64_t count);
// "1 dossier autorisé" for exactly one, else "{0} dossiers autorisés".
std::string localizedFolderCount(std::int64_t count);

} // namespace tollenvane
