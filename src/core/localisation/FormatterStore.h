#pragma once

#include "core/base/Date.h"

#include <cstdint>
#include <string>

namespace tollenvane {

// The ICU formatters and plural rules, created on first need for each locale and kept for the run.
// One mutex guards the caches and is held while formatting, since ICU's date formatters are not
// safe to share between threads. The locale is an ICU identifier ("fr", "en", ...): callers read it
// from the current language first, so the language lock is never held with this one.
namespace FormatterStore {

// No grouping, rounding half-even, at most one decimal (none when `integer`), the locale's
// decimal separator: 1.25 gives "1.2" in "en", 1.5 gives "1,5" in "fr". "0" if ICU fails.
std::string number(double value, bool integer, const std::string& locale);

// The locale's default integer format, grouping included ("12,345" in "en", "12 345" with a
// narrow no-break space in "fr", "1234" but "12.345" in "es").
std::string count(std::int64_t value, const std::string& locale);

// A whole percentage as the locale writes it: "70%" in "en", "70 %" with a no-break space in
// "fr". Its digits are never grouped.
std::string percent(int value, const std::string& locale);

// The locale's plural category of a whole count: "one", "other", and for some locales "many" or
// others. "other" if ICU fails.
std::string pluralCategory(std::int64_t value, const std::string& locale);

// Medium date style, with the short time style when `includeTime`, in the local time zone.
// Empty if ICU fails.
std::string date(Date date, bool includeTime, const std::string& locale);

} // namespace FormatterStore
} // namespace tollenvane
