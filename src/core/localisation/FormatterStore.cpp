#include "core/localisation/FormatterStore.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/numberformatter.h>
#include <unicode/plurrule.h>
#include <unicode/unistr.h>

#include <map>
#include <memory>
#include <mutex>

namespace tollenvane::FormatterStore {

namespace {

using icu::number::LocalizedNumberFormatter;

enum class NumberStyle { integer, decimal, grouped, percent };

// The number and date caches are keyed by the locale followed by the style: ":int", ":decimal",
// ":count" or ":percent" for numbers, ":time" or ":date" for dates; the plural rules by the locale.
std::mutex mutex;
std::map<std::string, LocalizedNumberFormatter, std::less<>> numbers;          // guarded by mutex
std::map<std::string, std::unique_ptr<icu::DateFormat>, std::less<>> dates;    // guarded by mutex
std::map<std::string, std::unique_ptr<icu::PluralRules>, std::less<>> plurals; // guarded by mutex

const char* suffix(NumberStyle style)
{
    switch (style) {
    case NumberStyle::integer:
        return ":int";
    case NumberStyle::decimal:
        return ":decimal";
    case NumberStyle::grouped:
        return ":count";
    case NumberStyle::percent:
        return ":percent";
    }
    return "";
}

LocalizedNumberFormatter makeNumberFormatter(const std::string& locale, NumberStyle style)
{
    auto formatter = icu::number::NumberFormatter::withLocale(icu::Locale(locale.c_str()));
    if (style == NumberStyle::grouped) {
        return formatter;
    }
    if (style == NumberStyle::percent) {
        return std::move(formatter).unit(icu::NoUnit::percent()).grouping(UNUM_GROUPING_OFF);
    }
    return std::move(formatter)
        .grouping(UNUM_GROUPING_OFF)
        .roundingMode(UNUM_ROUND_HALFEVEN)
        .precision(icu::number::Precision::maxFraction(style == NumberStyle::integer ? 0 : 1));
}

std::string utf8(const icu::UnicodeString& text)
{
    std::string result;
    text.toUTF8String(result);
    return result;
}

// Formats with the cached formatter of `locale` and `style`; empty when ICU fails.
template <class Value>
std::string formatNumber(Value value, const std::string& locale, NumberStyle style)
{
    const std::string key = locale + suffix(style);
    UErrorCode status = U_ZERO_ERROR;
    const std::lock_guard lock(mutex);
    auto found = numbers.find(key);
    if (found == numbers.end()) {
        found = numbers.emplace(key, makeNumberFormatter(locale, style)).first;
    }
    icu::UnicodeString text;
    if constexpr (std::is_integral_v<Value>) {
        text = found->second.formatInt(value, status).toString(status);
    } else {
        text = found->second.formatDouble(value, status).toString(status);
    }
    return U_SUCCESS(status) ? utf8(text) : std::string();
}

} // namespace

std::string number(double value, bool integer, const std::string& locale)
{
    std::string text =
        formatNumber(value, locale, integer ? NumberStyle::integer : NumberStyle::decimal);
    return text.empty() ? "0" : text;
}

std::string count(std::int64_t value, const std::string& locale)
{
    std::string text = formatNumber(value, locale, NumberStyle::grouped);
    return text.empty() ? std::to_string(value) : text;
}

std::string percent(int value, const std::string& locale)
{
    std::string text = formatNumber(value, locale, NumberStyle::percent);
    return text.empty() ? std::to_string(value) + '%' : text;
}

std::string pluralCategory(std::int64_t value, const std::string& locale)
{
    const std::lock_guard lock(mutex);
    auto found = plurals.find(locale);
    if (found == plurals.end()) {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::PluralRules> rules(
            icu::PluralRules::forLocale(icu::Locale(locale.c_str()), status));
        found = plurals.emplace(locale, U_SUCCESS(status) ? std::move(rules) : nullptr).first;
    }
    return found->second == nullptr ? "other"
                                    : utf8(found->second->select(static_cast<double>(value)));
}

std::string date(Date date, bool includeTime, const std::string& locale)
{
    const std::string key = locale + (includeTime ? ":time" : ":date");
    const UDate milliseconds = (date + secondsFrom1970To2001) * 1000.0;
    const std::lock_guard lock(mutex);
    auto found = dates.find(key);
    if (found == dates.end()) {
        const auto timeStyle = includeTime ? icu::DateFormat::kShort : icu::DateFormat::kNone;
        std::unique_ptr<icu::DateFormat> formatter(icu::DateFormat::createDateTimeInstance(
            icu::DateFormat::kMedium, timeStyle, icu::Locale(locale.c_str())));
        found = dates.emplace(key, std::move(formatter)).first;
    }
    if (found->second == nullptr) {
        return {};
    }
    icu::UnicodeString text;
    found->second->format(milliseconds, text);
    return utf8(text);
}

} // namespace tollenvane::FormatterStore
