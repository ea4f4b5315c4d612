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

TEST_F(FormattingTest, BytesInEachLanguage)
{
    constexpr std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    const std::vector<std::tuple<AppLanguage, std::int64_t, std::string>> cases{
        {AppLanguage::en, -5, "0\u00A0B"},
        {AppLanguage::en, 0, "0\u00A0B"},
        {AppLanguage::en, 999, "999\u00A0B"},
        {AppLanguage::en, 1000, "1\u00A0KB"},
        {AppLanguage::en, 1049, "1\u00A0KB"},
        {AppLanguage::en, 1500, "1.5\u00A0KB"},
        {AppLanguage::en, 999'999, "1000\u00A0KB"}, // below 1000 before it is rounded: stays in KB
        {AppLanguage::en, 1'000'000, "1\u00A0MB"},
        {AppLanguage::en, 123'456'789, "123.5\u00A0MB"},
        {AppLanguage::en, 5'000'000'000, "5\u00A0GB"},
        {AppLanguage::en, 1'000'000'000'000'000, "1000\u00A0TB"},
        {AppLanguage::en, 1'500'000'000'000'000'000, "1500000\u00A0TB"},
        {AppLanguage::en, largest, "9223372\u00A0TB"},
        {AppLanguage::en, -largest - 1, "0\u00A0B"},
        // Half to even on the shortest decimal: 1.35 is a little above as a double, 2.55 below.
        {AppLanguage::en, 1250, "1.2\u00A0KB"},
        {AppLanguage::en, 1350, "1.4\u00A0KB"},
        {AppLanguage::en, 2450, "2.4\u00A0KB"},
        {AppLanguage::en, 2550, "2.6\u00A0KB"},
        {AppLanguage::en, 1950, "2\u00A0KB"},
        {AppLanguage::en, 1051, "1.1\u00A0KB"},
        {AppLanguage::fr, -5, "0\u00A0o"},
        {AppLanguage::fr, 999, "999\u00A0o"},
        {AppLanguage::fr, 1000, "1\u00A0Ko"},
        {AppLanguage::fr, 1500, "1,5\u00A0Ko"},
        {AppLanguage::fr, 999'999, "1000\u00A0Ko"},
        {AppLanguage::fr, 1250, "1,2\u00A0Ko"},
        {AppLanguage::fr, 2'550'000, "2,6\u00A0Mo"},
        {AppLanguage::fr, 7'000'000'000, "7\u00A0Go"},
        {AppLanguage::fr, 1'000'000'000'000'000, "1000\u00A0To"},
        {AppLanguage::fr, 1'234'000'000'000'000'000, "1234000\u00A0To"},
        {AppLanguage::es, 1500, "1,5\u00A0KB"},
        {AppLanguage::de, 999, "999\u00A0B"},
        {AppLanguage::de, 1500, "1,5\u00A0KB"},
        {AppLanguage::it, 1500, "1,5\u00A0KB"},
        {AppLanguage::it, 1'500'000'000'000'000'000, "1500000\u00A0TB"},
    };
    for (const auto& [language, bytes, expected] : cases) {
        EXPECT_EQ(bytesIn(language, bytes), expected) << rawValue(language) << " " << bytes;
    }
    // The system language follows the preferred languages.
    Localization::setPreferredLanguages(std::vector<std::string>{"fr_CA"});
    EXPECT_EQ(bytesIn(AppLanguage::system, 1500), "1,5\u00A0Ko");
    Localization::setPreferredLanguages(std::vector<std::string>{"pt_BR", "ja"});
    EXPECT_EQ(bytesIn(AppLanguage::system, 1500), "1.5\u00A0KB");
}

// The catalogue's exact translations, filled with the locale's grouped integer.
TEST_F(FormattingTest, CountsInEachLanguage)
{
    struct Count {
        AppLanguage language;
        std::int64_t count;
        std::string files;
        std::string folders;
    };
    const std::vector<Count> cases{
        {AppLanguage::fr, 0, "0 fichiers", "0 dossiers autorisés"},
        {AppLanguage::fr, 1, "1 fichier", "1 dossier autorisé"},
        {AppLanguage::fr, 12345, "12\u202f345 fichiers", "12\u202f345 dossiers autorisés"},
        {AppLanguage::fr, 1234567, "1\u202f234\u202f567 fichiers",
         "1\u202f234\u202f567 dossiers autorisés"},
        {AppLanguage::en, 0, "0 files", "0 authorised folders"},
        {AppLanguage::en, 1, "1 file", "1 authorised folder"},
        {AppLanguage::en, 2, "2 files", "2 authorised folders"},
        {AppLanguage::en, 1234, "1,234 files", "1,234 authorised folders"},
        {AppLanguage::en, 12345, "12,345 files", "12,345 authorised folders"},
        {AppLanguage::es, 1, "1 archivo", "1 carpeta autorizada"},
        {AppLanguage::es, 1234, "1234 archivos", "1234 carpetas autorizadas"},
        {AppLanguage::es, 12345, "12.345 archivos", "12.345 carpetas autorizadas"},
        {AppLanguage::es, 1234567, "1.234.567 archivos", "1.234.567 carpetas autorizadas"},
        {AppLanguage::de, 0, "0 Dateien", "0 freigegebene Ordner"},
        {AppLanguage::de, 1, "1 Datei", "1 freigegebener Ordner"},
        {AppLanguage::de, 1234, "1.234 Dateien", "1.234 freigegebene Ordner"},
        {AppLanguage::de, 12345, "12.345 Dateien", "12.345 freigegebene Ordner"},
        {AppLanguage::it, 1, "1 file", "1 cartella autorizzata"},
        {AppLanguage::it, 12345, "12.345 file", "12.345 cartelle autorizzate"},
    };
    for (const auto& [language, count, files, folders] : cases) {
        Localization::setLanguage(language);
        EXPECT_EQ(localizedFileCount(count), files);
        EXPECT_EQ(localizedFolderCount(count), folders);
    }
}

TEST_F(FormattingTest, PercentsAndPluralsInEachLanguage)
{
    struct Case {
        AppLanguage language;
        std::int64_t count;
        double share;
        std::string sorted;
        std::string percent;
    };
    // French counts 0 as singular, English as plural; a share is rounded, never grouped: 0.29,
    // stored just below 0.29, is 29.
    const std::vector<Case> cases{
        {AppLanguage::fr, 0, 0.0, "0 fichier trié. Un peu plus de clarté.", "0\u00a0%"},
        {AppLanguage::fr, 1, 0.29, "1 fichier trié. Un peu plus de clarté.", "29\u00a0%"},
        {AppLanguage::fr, 2, 0.45, "2 fichiers triés. Un peu plus de clarté.", "45\u00a0%"},
        {AppLanguage::fr, 1'000'000, 2.0, "1000000 fichiers triés. Un peu plus de clarté.",
         "100\u00a0%"},
        {AppLanguage::en, 0, -1.0, "0 files sorted. A little more clarity.", "0%"},
        {AppLanguage::en, 1, 0.7, "1 file sorted. A little more clarity.", "70%"},
        {AppLanguage::en, 2, 1.0, "2 files sorted. A little more clarity.", "100%"},
        {AppLanguage::de, 1, 0.45, "1 Datei sortiert. Ein wenig mehr Klarheit.", "45\u00a0%"},
        {AppLanguage::es, 1'000'000, 0.45, "1000000 archivos ordenados. Un poco más de claridad.",
         "45\u00a0%"},
    };
    for (const auto& [language, count, share, sorted, percent] : cases) {
        Localization::setLanguage(language);
        EXPECT_EQ(L(plural(count, "{0} fichier trié. Un peu plus de clarté.",
                           "{0} fichiers triés. Un peu plus de clarté."),
                    count),
                  sorted);
        EXPECT_EQ(localizedPercent(share), percent) << share;
    }
    Localization::setLanguage(AppLanguage::en);
    EXPECT_EQ(localizedCount(50028), "50,028");
    EXPECT_EQ(localizedPercent(std::numeric_limits<double>::quiet_NaN()), "0%");
    // Each step of a hundredth says its own number.
    for (int percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(wholePercent(percent / 100.0), percent);
        EXPECT_EQ(wholePercent(percent / 100.0, PercentRounding::down), percent);
    }
    EXPECT_EQ(wholePercent(0.429), 43);
    EXPECT_EQ(wholePercent(0.429, PercentRounding::down), 42);
    EXPECT_EQ(wholePercent(0.9999, PercentRounding::down), 99);
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
