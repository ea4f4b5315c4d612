#include "core/localisation/TextSearch.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(TextSearch, IgnoresCaseButNotAccents)
{
    EXPECT_TRUE(localizedCaseInsensitiveContains("Holiday PHOTOS 2023", "photos"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("photos", "PhOtOs"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("Phötos", "Photos"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("Photos", "Phötos"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("ÉTÉ à Paris", "été"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("ÉTÉ à Paris", "ete"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("Ärger", "äR"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("photo", "photos"));
    // Where a match starts, ends or almost happens, in texts longer than eight bytes.
    EXPECT_TRUE(localizedCaseInsensitiveContains("IMG_0001 copy.JPEG", "JPEG"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("img_0001 copy.jpeg", "IMG_0001 COPY.JPEG"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("aaaaaaaaab", "AAB"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("aaaaaaaaaa", "AAB"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("a long file name.pdf\xc3", "name.pdf!"));
    // One search prepared once gives the same answers.
    const TextNeedle needle("Copy");
    EXPECT_TRUE(needle.foundIn("IMG_0001 COPY.jpg"));
    EXPECT_FALSE(needle.foundIn("IMG_0001 cop.jpg"));
    EXPECT_TRUE(needle.foundIn("Copie \xc3\xa0 copy"));
}

TEST(TextSearch, PrecomposedAndDecomposedLettersAreEqual)
{
    const std::string precomposed = "caf\u00e9";
    const std::string decomposed = "cafe\u0301";
    EXPECT_TRUE(localizedCaseInsensitiveContains("Mon " + precomposed + ".txt", decomposed));
    EXPECT_TRUE(localizedCaseInsensitiveContains("Mon " + decomposed + ".txt", precomposed));
    EXPECT_TRUE(localizedCaseInsensitiveContains("CAFE\u0301", precomposed));
    EXPECT_TRUE(localizedCaseInsensitiveContains(decomposed, "CAF\u00c9"));
    // A decomposed é is no e.
    EXPECT_FALSE(localizedCaseInsensitiveContains(decomposed, "cafe"));
}

TEST(TextSearch, UsesFullCaseFolding)
{
    EXPECT_TRUE(localizedCaseInsensitiveContains("Straße", "STRASSE"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("STRASSE", "straße"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("ΟΔΥΣΣΕΥΣ", "οδυσσευς"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("Kelvin \u212a", "k"));
    // U+0390 folds to three code points that compose back to U+0390.
    EXPECT_TRUE(localizedCaseInsensitiveContains("\u0390x", "\u0390X"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("\u03b9\u0308\u0301", "\u0390"));
}

TEST(TextSearch, AnEmptySearchIsAlwaysContained)
{
    EXPECT_TRUE(localizedCaseInsensitiveContains("", ""));
    EXPECT_TRUE(localizedCaseInsensitiveContains("photo", ""));
    EXPECT_TRUE(localizedCaseInsensitiveContains("\xff", ""));
    EXPECT_FALSE(localizedCaseInsensitiveContains("", "a"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("", "é"));
}

TEST(TextSearch, IllFormedUtf8IsReadAsReplacementCharacters)
{
    EXPECT_TRUE(localizedCaseInsensitiveContains("\xff\xfe REPORT \xc3", "report"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("R\xe9sum\xe9 été", "ÉTÉ"));
    EXPECT_FALSE(localizedCaseInsensitiveContains("R\xe9sum\xe9", "résumé"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("a\xff"
                                                 "b",
                                                 "A\xfe"
                                                 "B"));
    EXPECT_TRUE(localizedCaseInsensitiveContains("a\xed\xa0\x80z", "\xef\xbf\xbdZ"));
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
