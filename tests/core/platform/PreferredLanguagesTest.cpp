#include "core/platform/PreferredLanguages.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::map<std::string, std::string> saved;
    for (const char* name : names) {
        if (const char* value = std::getenv(name)) {
            saved[name] = value;
        }
        ::unsetenv(name);
    }
    ::setenv("LANGUAGE", "de_AT:fr", 1);
    ::setenv("LANG", "en_GB.UTF-8", 1);
    const auto languages = preferredLanguages();
    for (const char* name : names) {
        ::unsetenv(name);
    }
    for (const auto& [name, value] : saved) {
        ::setenv(name.c_str(), value.c_str(), 1);
    }
    EXPECT_EQ(languages, (Languages{"de_AT", "fr", "en_GB"}));
}

} // namespace
} // namespace tollenvane
