#pragma once

#include "core/base/Date.h"

#include <cstdint>
#include <string>

namespace tollenvane {

// Each function reads the current language once, so a result never mixes two languages.

// A byte count in decimal units (1 KB = 1000 bytes) with at most one decimal: "999 B",
// "1.5 KB", "1,5 Ko" in French; a negative count is 0 B, and 1000 TB and more stay in TB.
std::string formattedBytes(std::int64_t bytes);

// Medium date style (and short time style when `includeTime`), in the local time zone.
std::string localizedDate(Date date, bool includeTime);

// "1 fichier" for exactly one, else "{0} fichiers" with the count in the locale's integer format.
std::string localizedFileCount(std::int64_t count);
// "1 dossier autorisé" for exactly one, else "{0} dossiers autorisés".
std::string localizedFolderCount(std::int64_t count);

} // namespace tollenvane
