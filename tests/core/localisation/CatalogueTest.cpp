#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
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

const std::array<std::string, 4> translations{"en", "es", "de", "it"};

// The text of `key` in `language`, the key itself for French.
std::string textOf(const nlohmann::ordered_json& catalogue, const std::string& key,
                   const std::string& language)
{
    return language == "fr" ? key : catalogue.at(key).at(language).get<std::string>();
}

// The words of a text, lower-cased; letters outside ASCII count as letters.
// The words of `text`, lower-cased unless `keepCase`; the typographic apostrophe parts words.
std::set<std::string> words(std::string text, bool keepCase = false)
{
    for (std::size_t at = text.find("’"); at != std::string::npos; at = text.find("’", at)) {
        text.replace(at, std::string_view("’").size(), " ");
    }
    std::set<std::string> found;
    std::string word;
    for (const char c : text + ' ') {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalpha(byte) != 0 || byte >= 0x80) {
            word += keepCase ? c : static_cast<char>(std::tolower(byte));
        } else if (!word.empty()) {
            found.insert(word);
            word.clear();
        }
    }
    return found;
}

// "t’" starting a word stands for "te" before a vowel ("t’aider"); "-t-" in "a-t-il" is
// another thing.
bool elidesTe(const std::string& text)
{
    for (std::size_t at = text.find("t’"); at != std::string::npos; at = text.find("t’", at + 1)) {
        if (at == 0 || std::isalpha(static_cast<unsigned char>(text[at - 1])) == 0) {
            return true;
        }
    }
    return false;
}

bool holdsAny(const std::set<std::string>& found, const std::set<std::string>& wanted)
{
    return std::any_of(wanted.begin(), wanted.end(),
                       [&](const std::string& word) { return found.contains(word); });
}

// French speaks to the user as "vous": a "vous", "votre", "vos" or a verb in "-ez".
bool addressesTheUser(const std::string& french)
{
    const std::set<std::string> found = words(french);
    return holdsAny(found, {"vous", "votre", "vos"}) ||
           std::any_of(found.begin(), found.end(), [](const std::string& word) {
               return word.size() > 3 && word.ends_with("ez") && word != "chez" && word != "assez";
           });
}

TEST(Catalogue, EveryEntryHasFourFaithfulTranslations)
{
    const auto catalogue = readCatalogue();
    ASSERT_TRUE(catalogue.is_object()) << "the catalogue is not a JSON object";
    ASSERT_FALSE(catalogue.empty());

    const auto& languages = translations;
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

// Desktops speak to their user in one form: French and German the formal one.
TEST(Catalogue, FrenchAndGermanAddressTheUserInOneForm)
{
    const auto catalogue = readCatalogue();
    for (const auto& [key, entry] : catalogue.items()) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(holdsAny(words(key), {"tu", "te", "toi", "ton", "ta", "tes"}));
        EXPECT_FALSE(elidesTe(key));
        const std::string german = entry.at("de").get<std::string>();
        const std::set<std::string> found = words(german);
        EXPECT_FALSE(holdsAny(
            found, {"du", "dich", "dir", "dein", "deine", "deinen", "deinem", "deiner", "deines"}))
            << german;
        // The formal form is written with a capital; "sie" and "ihr" are others.
        if (addressesTheUser(key)) {
            EXPECT_TRUE(holdsAny(words(german, true),
                                 {"Sie", "Ihr", "Ihre", "Ihren", "Ihrem", "Ihrer", "Ihres", "Ihnen",
                                  "SIE", "IHR", "IHRE", "IHREN", "IHREM", "IHRER", "IHRES"}))
                << german;
        }
    }
}

// A key has one name in a language wherever it is shown, and a decision one word: the legend of
// the set-up page says what the deck's buttons say.
TEST(Catalogue, EachKeyAndEachDecisionHasOneNamePerLanguage)
{
    const auto catalogue = readCatalogue();
    // A modifier before a key's letter: "Ctrl+Z", "Strg Z".
    static const std::regex modifier(R"(\b(Ctrl|Control|Strg|Ctl)[+ ](?=[A-Z0-9,]([^A-Za-z]|$)))");
    std::vector<std::string> languages{"fr"};
    languages.insert(languages.end(), translations.begin(), translations.end());
    for (const std::string& language : languages) {
        SCOPED_TRACE(language);
        std::set<std::string> spellings;
        for (const auto& item : catalogue.items()) {
            const std::string text = textOf(catalogue, item.key(), language);
            for (auto it = std::sregex_iterator(text.begin(), text.end(), modifier);
                 it != std::sregex_iterator(); ++it) {
                spellings.insert(it->str());
            }
        }
        EXPECT_EQ(spellings.size(), 1U) << testing::PrintToString(spellings);
        for (const auto& [legend, decision] :
             {std::pair{"← Corbeille", "Corbeille"}, std::pair{"→ Garder", "Garder"},
              std::pair{"↑ Ranger", "Ranger"}, std::pair{"↓ Plus tard", "Plus tard"}}) {
            const std::string word = textOf(catalogue, decision, language);
            EXPECT_EQ(textOf(catalogue, legend, language),
                      std::string(legend).substr(0, std::string(legend).find(' ') + 1) + word);
        }
    }
}

} // namespace
} // namespace tollenvane
