#include "core/localisation/Formatting.h"

#include "core/localisation/FormatterStore.h"
#include "core/localisation/Localization.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tollenvane {

namespace {

std::string countText(std::int64_t count, std::string_view one, std::string_view many)
{
    const AppLanguage language = resolved(Localization::language());
    if (count == 1) {
        return Localization::text(language, one);
    }
    return Localization::text(language, many,
                              {FormatterStore::count(count, std::string(rawValue(language)))});
}

} // namespace

std::string formattedBytes(std::int64_t bytes)
{
    static constexpr std::array<const char*, 5> units{"B", "KB", "MB", "GB", "TB"};
    static constexpr std::array<const char*, 5> frenchUnits{"o", "Ko", "Mo", "Go", "To"};

    double value = bytes < 0 ? 0.0 : static_cast<double>(bytes);
    std::size_t unit = 0;
    while (unit < 4 && value >= 1000) {
        value /= 1000;
        ++unit;
    }
    const AppLanguage language = resolved(Localization::language());
    // A no-break space: a size is never cut between its number and its unit.
    return FormatterStore::number(value, unit == 0, std::string(rawValue(language))) + "\u00A0" +
           (language == AppLanguage::fr ? frenchUnits : units)[unit];
}

std::string localizedDate(Date date, bool includeTime)
{
    return FormatterStore::date(date, includeTime, Localization::localeIdentifier());
}

std::string localizedCount(std::int64_t count)
{
    return FormatterStore::count(count, Localization::localeIdentifier());
}

int wholePercent(double share, PercentRounding rounding)
{
    const double clamped = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0.0;
    if (rounding == PercentRounding::nearest) {
        return static_cast<int>(std::lround(clamped * 100));
    }
    // A share stored a hair below its whole percentage still counts as that percentage.
    constexpr double storageError = 1e-9;
    return static_cast<int>(std::floor(clamped * 100 + storageError));
}

std::string localizedPercent(double share, PercentRounding rounding)
{
    return FormatterStore::percent(wholePercent(share, rounding), Localization::localeIdentifier());
}

std::string_view plural(std::int64_t count, std::string_view one, std::string_view other)
{
    return FormatterStore::pluralCategory(count, Localization::localeIdentifier()) == "one" ? one
                                                                                            : other;
}

std::string localizedFileCount(std::int64_t count)
{
    return countText(count, "1 fichier", "{0} fichiers");
}

std::string localizedFolderCount(std::int64_t count)
{
    return countText(count, "1 dossier autorisé", "{0} dossiers autorisés");
}

} // namespace tollenvane
