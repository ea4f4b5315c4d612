#include "core/localisation/TextSearch.h"

#include "core/base/Utf8.h"

#include <unicode/bytestream.h>
#include <unicode/casemap.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tollenvane {

namespace {

// Eight bytes at a time: a search over a million paths asks this of every name and folder.
bool isAscii(std::string_view text)
{
    constexpr std::uint64_t highBits = 0x8080808080808080ULL;
    std::size_t at = 0;
    std::uint64_t seen = 0;
    for (; at + sizeof seen <= text.size(); at += sizeof seen) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, sizeof word);
        seen |= word;
    }
    for (; at < text.size(); ++at) {
        seen |= static_cast<unsigned char>(text[at]);
    }
    return (seen & highBits) == 0;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The first of `one` and `other` in [from, end), or end.
const char* firstOfEither(const char* from, const char* end, char one, char other)
{
    const auto length = static_cast<std::size_t>(end - from);
    const auto* found = static_cast<const char*>(std::memchr(from, one, length));
    const char* bound = found != nullptr ? found : end;
    if (other != one) {
        const auto* otherFound = static_cast<const char*>(
            std::memchr(from, other, static_cast<std::size_t>(bound - from)));
        if (otherFound != nullptr) {
            return otherFound;
        }
    }
    return bound;
}

// `lowered` is lower-case already; only the text's letters are lowered, as they are met. The
// candidates for its first letter are found with memchr, in either case.
bool containsIgnoringAsciiCase(std::string_view text, std::string_view lowered)
{
    if (lowered.size() > text.size()) {
        return false;
    }
    const char first = lowered.front();
    const char firstUpper = asciiUpper(first);
    const char* const end = text.data() + (text.size() - lowered.size() + 1);
    for (const char* at = firstOfEither(text.data(), end, first, firstUpper); at != end;
         at = firstOfEither(at + 1, end, first, firstUpper)) {
        std::size_t matched = 1;
        while (matched < lowered.size() && asciiLower(at[matched]) == lowered[matched]) {
            ++matched;
        }
        if (matched == lowered.size()) {
            return true;
        }
    }
    return false;
}

// Ill-formed sequences become U+FFFD, as ICU's own UTF-8 conversion makes them, so that the
// UTF-8 functions below only ever see well-formed text.
std::string wellFormed(std::string_view text)
{
    if (isValidUtf8(text)) {
        return std::string(text);
    }
    std::string result;
    icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))
        .toUTF8String(result);
    return result;
}

std::string nfc(std::string text)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status) || normalizer->isNormalizedUTF8(text, status) || U_FAILURE(status)) {
        return text;
    }
    std::string result;
    icu::StringByteSink<std::string> sink(&result, static_cast<int32_t>(text.size()));
    normalizer->normalizeUTF8(0, text, sink, nullptr, status);
    return U_SUCCESS(status) ? result : text;
}

// Full case folding between two normalisations: folding can decompose a letter (U+0390 folds to
// U+03B9 U+0308 U+0301), so the folded text is made NFC again.
std::string foldedNfc(std::string_view text)
{
    std::string normalized = nfc(wellFormed(text));
    std::string folded;
    icu::StringByteSink<std::string> sink(&folded, static_cast<int32_t>(normalized.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::CaseMap::utf8Fold(U_FOLD_CASE_DEFAULT, normalized, sink, nullptr, status);
    return nfc(U_SUCCESS(status) ? std::move(folded) : std::move(normalized));
}

} // namespace

// Folding ASCII text is lower-casing it, so an ASCII search is folded without ICU. Folding
// never empties a text, so the folded search is empty exactly when the search is.
TextNeedle::TextNeedle(std::string_view search)
    : ascii_(isAscii(search))
    , folded_(ascii_ ? lowercasedNfc(search) : foldedNfc(search))
{}

bool TextNeedle::foundIn(std::string_view text) const
{
    if (folded_.empty()) {
        return true;
    }
    if (ascii_ && isAscii(text)) {
        return containsIgnoringAsciiCase(text, folded_);
    }
    // Both sides are well-formed UTF-8 here, so a byte match starts and ends on characters.
    return foldedNfc(text).find(folded_) != std::string::npos;
}

bool localizedCaseInsensitiveContains(std::string_view text, std::string_view search)
{
    return TextNeedle(search).foundIn(text);
}

std::string lowercasedNfc(std::string_view text)
{
    if (isAscii(text)) {
        std::string lowered(text);
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), asciiLower);
        return lowered;
    }
    std::string input = wellFormed(text);
    std::string lowered;
    icu::StringByteSink<std::string> sink(&lowered, static_cast<int32_t>(input.size()));
    UErrorCode status = U_ZERO_ERROR;
    icu::CaseMap::utf8ToLower("", 0, input, sink, nullptr, status);
    return nfc(U_SUCCESS(status) ? std::move(lowered) : std::move(input));
}

} // namespace tollenvane
