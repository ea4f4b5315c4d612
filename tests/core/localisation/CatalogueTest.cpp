#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

nlohmann::ordered_json readCatalogue()
{
    std::ifstream file(TOLLENVANE_SOURCE_DIR "/resources/Localizations.json", std::ios::binary);
    EXPECT_TRUE(file.is_open());
    return nlohmann::ordered_json::parse(file, nullptr, /*allow_exceptions=*/false);
}

// The "{N}" placeholders of a text, sorted, repeats kept.
std::vector<std::string> placeholders(const std::string& text)
{
    static const std::regex pattern(R"(\{[0-9]+\})");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    std::sort(found.begin(), found.end());
    return found;
}

// Not empty, and no white space at either end, U+00A0 and U+202F included.
bool trimmed(const std::string& text)
{
    static const std::regex edge("^(\\s|\xC2\xA0|\xE2\x80\xAF)|(\\s|\xC2\xA0|\xE2\x80\xAF)$");
    return !text.empty() && !std::regex_search(text, edge);
}

// Words of the other platform that no text may keep on Linux.
bool namesOtherPlatform(const std::string& text)
{
    static const std::regex words(R"((^|[^A-Za-z])(Mac|macOS|Finder|iCloud)([^A-Za-z]|$))");
    return std::regex_search(text, words) || text.find("\xE2\x8C\x98") != std::string::npos;
}

TEST(Catalogue, EveryEntryHasFourFaithfulTranslations)
{
    const auto catalogue = readCatalogue();
    ASSERT_TRUE(catalogue.is_object()) << "the catalogue is not a JSON object";
    ASSERT_FALSE(catalogue.empty());

    const std::array<std::string, 4> languages{"en", "es", "de", "it"};
    for (const auto& [key, entry] : catalogue.items()) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(trimmed(key));
        EXPECT_FALSE(namesOtherPlatform(key));
        ASSERT_TRUE(entry.is_object());
        EXPECT_EQ(entry.size(), languages.size());
        const auto expected = placeholders(key);
        for (const auto& language : languages) {
            SCOPED_TRACE(language);
            ASSERT_TRUE(entry.contains(language));
            ASSERT_TRUE(entry[language].is_string());
            const auto text = entry[language].get<std::string>();
            EXPECT_TRUE(trimmed(text)) << '"' << text << '"';
            EXPECT_FALSE(namesOtherPlatform(text)) << text;
            EXPECT_EQ(placeholders(text), expected) << text;
        }
    }
}

} // namespace
} // namespace tollenvane
