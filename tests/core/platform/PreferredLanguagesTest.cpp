#include "core/platform/PreferredLanguages.h"

#include "support/EnvironmentVariable.h"

#include <gtest/gtest.h>

#include <map>

namespace tollenvane {
namespace {

using Environment = std::map<std::string, std::string>;

std::vector<std::string> languagesOf(const Environment& environment)
{
    return preferredLanguages([&](const char* name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        if (found == environment.end()) {
            return std::nullopt;
        }
        return found->second;
    });
}

using Languages = std::vector<std::string>;

TEST(PreferredLanguages, LanguageListComesFirstThenTheFirstLocaleSetWhichCAndPosixLeaveEmpty)
{
    EXPECT_EQ(languagesOf({{"LANGUAGE", "fr_CA:en"}, {"LANG", "de_DE.UTF-8"}}),
              (Languages{"fr_CA", "en", "de_DE"}));
    EXPECT_EQ(languagesOf({{"LANGUAGE", "::pt_BR::ja:"}}), (Languages{"pt_BR", "ja"}));
    EXPECT_EQ(languagesOf({{"LANGUAGE", ""}, {"LANG", "it_IT.UTF-8"}}), (Languages{"it_IT"}));
    // The first non-empty locale variable wins.
    EXPECT_EQ(languagesOf({{"LC_ALL", "es_ES.UTF-8"}, {"LC_MESSAGES", "it_IT"}, {"LANG", "de_DE"}}),
              (Languages{"es_ES"}));
    EXPECT_EQ(languagesOf({{"LC_ALL", ""}, {"LC_MESSAGES", "it_IT"}, {"LANG", "de_DE"}}),
              (Languages{"it_IT"}));
    EXPECT_EQ(languagesOf({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "fr_CA.UTF-8"}}),
              (Languages{"fr_CA"}));
    EXPECT_EQ(languagesOf({{"LANG", "sr_RS@latin"}}), (Languages{"sr_RS"}));
    EXPECT_EQ(languagesOf({}), Languages{});
    // A "C" locale is still the first non-empty variable: the ones after it are not read.
    EXPECT_EQ(languagesOf({{"LC_ALL", "C"}, {"LANG", "fr_FR.UTF-8"}}), Languages{});
    EXPECT_EQ(languagesOf({{"LANG", "C.UTF-8"}}), Languages{});
    EXPECT_EQ(languagesOf({{"LANG", "POSIX"}}), Languages{});
    EXPECT_EQ(languagesOf({{"LANGUAGE", "C:fr"}, {"LANG", "C"}}), (Languages{"fr"}));
}

TEST(PreferredLanguages, ReadsTheProcessEnvironment)
{
    const test::EnvironmentVariable language("LANGUAGE", "de_AT:fr");
    const test::EnvironmentVariable all("LC_ALL", std::nullopt);
    const test::EnvironmentVariable messages("LC_MESSAGES", std::nullopt);
    const test::EnvironmentVariable lang("LANG", "en_GB.UTF-8");
    EXPECT_EQ(preferredLanguages(), (Languages{"de_AT", "fr", "en_GB"}));
}

} // namespace
} // namespace tollenvane
