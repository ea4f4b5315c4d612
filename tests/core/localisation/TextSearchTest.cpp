#include "core/localisation/TextSearch.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace tollenvane {
namespace {

TEST(TextSearch, IgnoresCaseAndCompositionButNotAccents)
{
    const std::vector<std::tuple<std::string, std::string, bool>> cases{
        {"Holiday PHOTOS 2023", "photos", true},
        {"photos", "PhOtOs", true},
        {"Phötos", "Photos", false},
        {"Photos", "Phötos", false},
        {"ÉTÉ à Paris", "été", true},
        {"ÉTÉ à Paris", "ete", false},
        {"Ärger", "äR", true},
        {"photo", "photos", false},
        // Where a match starts, ends or almost happens, in texts longer than eight bytes.
        {"IMG_0001 copy.JPEG", "JPEG", true},
        {"img_0001 copy.jpeg", "IMG_0001 COPY.JPEG", true},
        {"aaaaaaaaab", "AAB", true},
        {"aaaaaaaaaa", "AAB", false},
        {"a long file name.pdf\xc3", "name.pdf!", false},
        // The first letter met in either case, first or last where a match can start.
        {"xB", "b", true},
        {"bxxxxxxxxxBC", "bc", true},
        {"BxxxxxxxxxbD", "bc", false},
        {"x.y.Z", ".z", true},
        {"Copie \xc3\xa0 copy", "Copy", true},
        // A precomposed letter equals its decomposed form, which is no plain e.
        {"Mon caf\u00e9.txt", "cafe\u0301", true},
        {"Mon cafe\u0301.txt", "caf\u00e9", true},
        {"CAFE\u0301", "caf\u00e9", true},
        {"cafe\u0301", "CAF\u00c9", true},
        {"cafe\u0301", "cafe", false},
        // Full case folding; U+0390 folds to three code points that compose back to U+0390.
        {"Straße", "STRASSE", true},
        {"STRASSE", "straße", true},
        {"ΟΔΥΣΣΕΥΣ", "οδυσσευς", true},
        {"Kelvin \u212a", "k", true},
        {"\u0390x", "\u0390X", true},
        {"\u03b9\u0308\u0301", "\u0390", true},
        // An empty search is always contained.
        {"", "", true},
        {"photo", "", true},
        {"\xff", "", true},
        {"", "a", false},
        {"", "é", false},
        // Ill-formed UTF-8 reads as replacement characters.
        {"\xff\xfe REPORT \xc3", "report", true},
        {"R\xe9sum\xe9 été", "ÉTÉ", true},
        {"R\xe9sum\xe9", "résumé", false},
        {"a\xff"
         "b",
         "A\xfe"
         "B",
         true},
        {"a\xed\xa0\x80z", "\xef\xbf\xbdZ", true},
    };
    for (const auto& [text, search, found] : cases) {
        EXPECT_EQ(localizedCaseInsensitiveContains(text, search), found) << text << " / " << search;
    }
    const TextNeedle needle("Copy");
    EXPECT_TRUE(needle.foundIn("IMG_0001 COPY.jpg"));
    EXPECT_FALSE(needle.foundIn("IMG_0001 cop.jpg"));
}

TEST(TextSearch, LowercasedNfcIsLocaleIndependent)
{
    EXPECT_EQ(lowercasedNfc("Capture D\u2019E\u0301CRAN 2024.PNG"),
              "capture d\u2019\u00e9cran 2024.png");
    EXPECT_EQ(lowercasedNfc("ISTANBUL"), "istanbul");
    EXPECT_EQ(lowercasedNfc("\u0130"), "i\u0307");
    EXPECT_EQ(lowercasedNfc("STRASSE Straße"), "strasse straße");
    EXPECT_EQ(lowercasedNfc("ΟΔΟΣ"), "οδος");
    EXPECT_EQ(lowercasedNfc(""), "");
    EXPECT_EQ(lowercasedNfc("A\xff"
                            "B"),
              "a\ufffd"
              "b");
}

} // namespace
} // namespace tollenvane
