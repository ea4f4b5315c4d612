#include "core/localisation/Formatting.h"

#include "core/localisation/Localization.h"

#include <gtest/gtest.h>

#include <atomic>
#include <limits>
#include <regex>
#include <set>
#include <thread>
#include <tuple>

namespace tollenvane {
namespace {

// Leaves the language and the preferred languages as the test found them.
class FormattingTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Localization::setLanguage(AppLanguage::system);
        Localization::setPreferredLanguages(std::nullopt);
    }

    static std::string bytesIn(AppLanguage language, std::int64_t bytes)
    {
        Localization::setLanguage(language);
        return formattedBytes(bytes);
    }
};

TEST_F(FormattingTest, BytesInEnglish)
{
    const std::vector<std::pair<std::int64_t, std::string>> cases{
        {-5, "0 B"},
        {0, "0 B"},
        {999, "999 B"},
        {1000, "1 KB"},
        {1049, "1 KB"},
        {1500, "1.5 KB"},
        {999'999, "1000 KB"}, // below 1000 before it is rounded, so it stays in KB
        {1'000'000, "1 MB"},
        {123'456'789, "123.5 MB"},
        {5'000'000'000, "5 GB"},
        {1'000'000'000'000'000, "1000 TB"},
        {1'500'000'000'000'000'000, "1500000 TB"},
        {std::numeric_limits<std::int64_t>::max(), "9223372 TB"},
        {std::numeric_limits<std::int64_t>::min(), "0 B"},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(bytesIn(AppLanguage::en, bytes), expected) << bytes;
    }
}

TEST_F(FormattingTest, BytesRoundHalfEvenOnTheShortestDecimal)
{
    EXPECT_EQ(bytesIn(AppLanguage::en, 1250), "1.2 KB");
    EXPECT_EQ(bytesIn(AppLanguage::en, 1350), "1.4 KB"); // 1.35 is a little above as a double
    EXPECT_EQ(bytesIn(AppLanguage::en, 2450), "2.4 KB");
    EXPECT_EQ(bytesIn(AppLanguage::en, 2550), "2.6 KB"); // 2.55 is a little below as a double
    EXPECT_EQ(bytesIn(AppLanguage::en, 1950), "2 KB");
    EXPECT_EQ(bytesIn(AppLanguage::en, 1051), "1.1 KB");
}

TEST_F(FormattingTest, BytesInFrenchUseFrenchUnitsAndComma)
{
    const std::vector<std::pair<std::int64_t, std::string>> cases{
        {-5, "0 o"},
        {999, "999 o"},
        {1000, "1 Ko"},
        {1500, "1,5 Ko"},
        {999'999, "1000 Ko"},
        {1250, "1,2 Ko"},
        {2'550'000, "2,6 Mo"},
        {7'000'000'000, "7 Go"},
        {1'000'000'000'000'000, "1000 To"},
        {1'234'000'000'000'000'000, "1234000 To"},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(bytesIn(AppLanguage::fr, bytes), expected) << bytes;
    }
}

TEST_F(FormattingTest, BytesInTheOtherLanguages)
{
    for (const AppLanguage language : {AppLanguage::es, AppLanguage::de, AppLanguage::it}) {
        EXPECT_EQ(bytesIn(language, 1500), "1,5 KB");
        EXPECT_EQ(bytesIn(language, 999), "999 B");
        EXPECT_EQ(bytesIn(language, 1'500'000'000'000'000'000), "1500000 TB");
    }
}

TEST_F(FormattingTest, SystemLanguageFollowsThePreferredLanguages)
{
    Localization::setPreferredLanguages(std::vector<std::string>{"fr_CA"});
    EXPECT_EQ(bytesIn(AppLanguage::system, 1500), "1,5 Ko");
    Localization::setPreferredLanguages(std::vector<std::string>{"pt_BR", "ja"});
    EXPECT_EQ(bytesIn(AppLanguage::system, 1500), "1.5 KB");
}

TEST_F(FormattingTest, CountsInFrench)
{
    Localization::setLanguage(AppLanguage::fr);
    EXPECT_EQ(localizedFileCount(0), "0 fichiers");
    EXPECT_EQ(localizedFileCount(1), "1 fichier");
    EXPECT_EQ(localizedFileCount(2), "2 fichiers");
    EXPECT_EQ(localizedFileCount(12345), "12\u202f345 fichiers");
    EXPECT_EQ(localizedFolderCount(0), "0 dossiers autorisés");
    EXPECT_EQ(localizedFolderCount(1), "1 dossier autorisé");
    EXPECT_EQ(localizedFolderCount(3), "3 dossiers autorisés");
    EXPECT_EQ(localizedFolderCount(1234567), "1\u202f234\u202f567 dossiers autorisés");
}

// Independent of the catalogue: the chosen text, filled with the locale's grouped integer.
TEST_F(FormattingTest, CountsUseTheLocalesGrouping)
{
    const std::vector<std::tuple<AppLanguage, std::int64_t, std::string>> cases{
        {AppLanguage::en, 0, "0"},          {AppLanguage::en, 2, "2"},
        {AppLanguage::en, 1234, "1,234"},   {AppLanguage::en, 12345, "12,345"},
        {AppLanguage::de, 1234, "1.234"},   {AppLanguage::de, 12345, "12.345"},
        {AppLanguage::it, 12345, "12.345"}, {AppLanguage::es, 1234, "1234"},
        {AppLanguage::es, 12345, "12.345"}, {AppLanguage::es, 1234567, "1.234.567"},
    };
    for (const auto& [language, count, number] : cases) {
        Localization::setLanguage(language);
        EXPECT_EQ(localizedFileCount(count), Localization::text(language, "{0} fichiers", {number}))
            << rawValue(language) << " " << count;
        EXPECT_EQ(localizedFolderCount(count),
                  Localization::text(language, "{0} dossiers autorisés", {number}));
        EXPECT_EQ(localizedFileCount(1), Localization::text(language, "1 fichier"));
        EXPECT_EQ(localizedFolderCount(1), Localization::text(language, "1 dossier autorisé"));
    }
}

TEST_F(FormattingTest, CountsWithTheEmbeddedCatalogue)
{
    if (Localization::catalogue().empty()) {
        GTEST_SKIP() << "the embedded catalogue is empty";
    }
    const std::vector<std::tuple<AppLanguage, std::int64_t, std::string>> cases{
        {AppLanguage::en, 0, "0 files"},
        {AppLanguage::en, 1, "1 file"},
        {AppLanguage::en, 2, "2 files"},
        {AppLanguage::en, 12345, "12,345 files"},
        {AppLanguage::es, 1, "1 archivo"},
        {AppLanguage::es, 1234, "1234 archivos"},
        {AppLanguage::es, 12345, "12.345 archivos"},
        {AppLanguage::de, 1, "1 Datei"},
        {AppLanguage::de, 0, "0 Dateien"},
        {AppLanguage::de, 12345, "12.345 Dateien"},
        {AppLanguage::it, 1, "1 file"},
        {AppLanguage::it, 12345, "12.345 file"},
    };
    for (const auto& [language, count, expected] : cases) {
        Localization::setLanguage(language);
        EXPECT_EQ(localizedFileCount(count), expected);
    }
}

TEST_F(FormattingTest, DatesUseTheMediumStyle)
{
    // 2024-03-15 12:00:00 UTC: the 14th, 15th or 16th whatever the local time zone.
    const Date date = 1710504000.0 - secondsFrom1970To2001;
    const std::vector<std::pair<AppLanguage, std::string>> patterns{
        {AppLanguage::en, "Mar 1[456], 2024"},   {AppLanguage::fr, "1[456] mars 2024"},
        {AppLanguage::de, "1[456]\\.03\\.2024"}, {AppLanguage::es, "1[456] mar 2024"},
        {AppLanguage::it, "1[456] mar 2024"},
    };
    for (const auto& [language, pattern] : patterns) {
        Localization::setLanguage(language);
        const std::string day = localizedDate(date, false);
        const std::string withTime = localizedDate(date, true);
        EXPECT_TRUE(std::regex_match(day, std::regex(pattern))) << day;
        EXPECT_EQ(withTime.rfind(day, 0), 0u) << withTime;
        EXPECT_TRUE(std::regex_search(withTime.substr(day.size()), std::regex("[0-9]:[0-9]{2}")))
            << withTime;
    }
}

TEST_F(FormattingTest, ConcurrentFormattingWhileTheLanguageChanges)
{
    const std::vector<AppLanguage> languages{AppLanguage::en, AppLanguage::fr};
    const auto results = [] {
        return std::vector<std::string>{formattedBytes(1500),     localizedFileCount(12345),
                                        localizedFileCount(1),    localizedFolderCount(0),
                                        localizedDate(7e8, true), label(AppLanguage::system)};
    };
    std::set<std::string> valid;
    for (const AppLanguage language : languages) {
        Localization::setLanguage(language);
        for (std::string& result : results()) {
            valid.insert(std::move(result));
        }
    }
    // Bytes, the grouped count and the date differ (the other texts only with a catalogue).
    ASSERT_GE(valid.size(), 9u);

    std::atomic<bool> stop = false;
    std::atomic<int> invalid = 0;
    std::vector<std::thread> formatters;
    for (int t = 0; t < 4; ++t) {
        formatters.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                for (const std::string& result : results()) {
                    invalid += valid.count(result) == 0 ? 1 : 0;
                }
            }
        });
    }
    std::thread switcher([&] {
        for (std::size_t i = 0; !stop; ++i) {
            Localization::setLanguage(languages[i % languages.size()]);
        }
    });
    for (std::thread& formatter : formatters) {
        formatter.join();
    }
    stop = true;
    switcher.join();
    EXPECT_EQ(invalid, 0);
}

} // namespace
} // namespace tollenvane
