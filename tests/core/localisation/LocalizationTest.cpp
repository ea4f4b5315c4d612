#include "core/localisation/Localization.h"

#include "core/localisation/EmbeddedCatalogue.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tollenvane {
namespace {

using Values = std::vector<std::string>;

// Leaves the language and the preferred languages as the test found them.
class LocalizationTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        Localization::setLanguage(AppLanguage::system);
        Localization::setPreferredLanguages(std::nullopt);
    }
};

const Catalogue& sampleCatalogue()
{
    static const Catalogue catalogue = Catalogue::parse(R"({
        "{0} fichiers": {"en": "{0} files", "de": "{0} Dateien"},
        "Annuler": {"en": "Undo", "es": "Deshacer", "fr": "pas ceci"},
        "Bonjour {0}, {1}": {"en": "{1}, hello {0}"}
    })");
    return catalogue;
}

TEST_F(LocalizationTest, LanguagesRoundTripInPickerOrderUnderTheirNativeNames)
{
    const std::vector<std::pair<std::string_view, std::string>> languages{
        {"system", "Langue du système"},
        {"fr", "Français"},
        {"en", "English"},
        {"es", "Español"},
        {"de", "Deutsch"},
        {"it", "Italiano"}};
    Localization::setLanguage(AppLanguage::fr);
    ASSERT_EQ(allAppLanguages.size(), languages.size());
    for (std::size_t i = 0; i < languages.size(); ++i) {
        EXPECT_EQ(rawValue(allAppLanguages[i]), languages[i].first);
        EXPECT_EQ(appLanguageFromRaw(languages[i].first), allAppLanguages[i]);
        EXPECT_EQ(label(allAppLanguages[i]), languages[i].second);
        EXPECT_NE(resolved(allAppLanguages[i]), AppLanguage::system);
    }
    for (const std::string_view unknown : {"FR", "pt", ""}) {
        EXPECT_EQ(appLanguageFromRaw(unknown), std::nullopt) << unknown;
    }
    // Only "system" is translated.
    Localization::setLanguage(AppLanguage::en);
    EXPECT_EQ(label(AppLanguage::system), Localization::text("Langue du système"));
    EXPECT_NE(label(AppLanguage::system), "Langue du système");
    EXPECT_EQ(label(AppLanguage::de), "Deutsch");
}

TEST_F(LocalizationTest, SystemResolvesToTheFirstSupportedPreferredLanguage)
{
    using Languages = std::vector<std::string>;
    EXPECT_EQ(resolved(AppLanguage::system, Languages{"pt-BR", "ja"}), AppLanguage::en);
    EXPECT_EQ(resolved(AppLanguage::system, Languages{"fr-CA"}), AppLanguage::fr);
    EXPECT_EQ(resolved(AppLanguage::system, Languages{"fr_CA"}), AppLanguage::fr);
    EXPECT_EQ(resolved(AppLanguage::system, Languages{"pt_BR", "es_MX", "fr"}), AppLanguage::es);
    EXPECT_EQ(resolved(AppLanguage::system, Languages{"de_AT", "it"}), AppLanguage::de);
    EXPECT_EQ(resolved(AppLanguage::system, Languages{"FR", "f", ""}), AppLanguage::en);
    EXPECT_EQ(resolved(AppLanguage::system, Languages{}), AppLanguage::en);
    EXPECT_EQ(resolved(AppLanguage::it, Languages{"fr"}), AppLanguage::it);

    // The process's own preferred languages can be replaced.
    Localization::setPreferredLanguages(Values{"pt-BR", "ja"});
    EXPECT_EQ(Localization::systemLanguage(), AppLanguage::en);
    EXPECT_EQ(resolved(AppLanguage::system), AppLanguage::en);
    EXPECT_EQ(Localization::localeIdentifier(), "en");

    Localization::setPreferredLanguages(Values{"fr_CA", "en"});
    EXPECT_EQ(Localization::language(), AppLanguage::system);
    EXPECT_EQ(Localization::localeIdentifier(), "fr");
    EXPECT_EQ(Localization::text("{0} fichiers", {"2"}), "2 fichiers");

    Localization::setLanguage(AppLanguage::de);
    EXPECT_EQ(Localization::language(), AppLanguage::de);
    EXPECT_EQ(Localization::localeIdentifier(), "de");
}

TEST_F(LocalizationTest, CatalogueDecodesOnlyObjectsOfObjectsOfStrings)
{
    const Catalogue& catalogue = sampleCatalogue();
    EXPECT_EQ(catalogue.keys(), (Values{"Annuler", "Bonjour {0}, {1}", "{0} fichiers"}));
    EXPECT_EQ(catalogue.lookup("Annuler", "es"), "Deshacer");
    EXPECT_EQ(catalogue.lookup("{0} fichiers", "de"), "{0} Dateien");
    EXPECT_EQ(catalogue.lookup("{0} fichiers", "it"), std::nullopt);
    EXPECT_EQ(catalogue.lookup("Absent", "en"), std::nullopt);
    EXPECT_EQ(catalogue.lookup("annuler", "en"), std::nullopt);

    for (const std::string_view json :
         {"", "{}", "[]", "\"text\"", "{\"a\": {\"en\": \"b\"}", "{\"a\": \"b\"}",
          "{\"a\": {\"en\": \"b\"}, \"c\": {\"en\": 3}}", "{\"a\": {\"en\": null}}",
          "{\"a\": [\"b\"]}", "{\"a\": {\"en\": \"\xff\"}}"}) {
        EXPECT_TRUE(Catalogue::parse(json).empty()) << json;
    }
    EXPECT_TRUE(Catalogue().keys().empty());
    EXPECT_FALSE(Catalogue::parse(R"({"a": {}})").empty());
}

TEST_F(LocalizationTest, TextUsesTheTranslationElseTheKeyAndFrenchIsAlwaysTheKey)
{
    const Catalogue& catalogue = sampleCatalogue();
    EXPECT_EQ(Localization::text(catalogue, AppLanguage::en, "{0} fichiers", {"4"}), "4 files");
    EXPECT_EQ(Localization::text(catalogue, AppLanguage::de, "{0} fichiers", {"4"}), "4 Dateien");
    EXPECT_EQ(Localization::text(catalogue, AppLanguage::it, "{0} fichiers", {"4"}), "4 fichiers");
    EXPECT_EQ(Localization::text(catalogue, AppLanguage::en, "Absent {0}", {"4"}), "Absent 4");
    EXPECT_EQ(Localization::text(catalogue, AppLanguage::en, "Bonjour {0}, {1}", {"Ada", "B"}),
              "B, hello Ada");
    EXPECT_EQ(Localization::text(catalogue, AppLanguage::fr, "Annuler"), "Annuler");
    for (const AppLanguage language : allAppLanguages) {
        EXPECT_EQ(Localization::text(Catalogue(), language, "{0} fichiers", {"3"}), "3 fichiers");
    }

    EXPECT_EQ(Localization::translation(catalogue, "Annuler", AppLanguage::fr), "Annuler");
    EXPECT_EQ(Localization::translation(catalogue, "Absent", AppLanguage::fr), "Absent");
    EXPECT_EQ(Localization::translation(catalogue, "Annuler", AppLanguage::en), "Undo");
    EXPECT_EQ(Localization::translation(catalogue, "Annuler", AppLanguage::it), std::nullopt);
    EXPECT_EQ(Localization::translation(catalogue, "Absent", AppLanguage::en), std::nullopt);

    Localization::setPreferredLanguages(Values{"es_ES"});
    EXPECT_EQ(Localization::text(catalogue, AppLanguage::system, "Annuler"), "Deshacer");
    Localization::setPreferredLanguages(Values{"fr_BE"});
    EXPECT_EQ(Localization::translation(catalogue, "Annuler", AppLanguage::system), "Annuler");
    Localization::setPreferredLanguages(Values{"ja", "en_US"});
    EXPECT_EQ(Localization::translation(catalogue, "Annuler", AppLanguage::system), "Undo");
}

TEST_F(LocalizationTest, OnlyBracedAsciiDigitsWithAValueAreFilledAndFilledTextIsNotScanned)
{
    const std::vector<std::tuple<std::string, Values, std::string>> cases{
        {"{0} et {1}", {"a"}, "a et {1}"},
        {"{0}{1}", {"a"}, "a{1}"},
        {"{0}", {}, "{0}"},
        {"{9223372036854775807}", {"a"}, "{9223372036854775807}"},
        {"{9223372036854775808} {0}", {"a"}, "{9223372036854775808} a"},
        {"{99999999999999999999999} {0}", {"a"}, "{99999999999999999999999} a"},
        {"{-1} {x} {} { 0} {0 } {+1} {1}", {"a", "b"}, "{-1} {x} {} { 0} {0 } {+1} b"},
        {"{00} {01} {0000000000000000000000001}", {"a", "b"}, "a b b"},
        {"{{0}} {1", {"a", "b"}, "{a} {1"},
        {"{\xd9\xa1}", {"a", "b"}, "{\xd9\xa1}"}, // Arabic 1
        {"« {0} » – {1}…", {"a", "b"}, "« a » – b…"},
        {"{0}-{0}-{1}-{0}", {"a", "b"}, "a-a-b-a"},
        {"{0}{1}", {"{1}", "b"}, "{1}b"},
        {"{1} {0}", {"x", "{0}"}, "{0} x"},
        {"{0}", {"{0}"}, "{0}"},
    };
    for (const auto& [text, values, filled] : cases) {
        EXPECT_EQ(Localization::fillPlaceholders(text, values), filled) << text;
    }
}

TEST_F(LocalizationTest, ValuesAreDescribedPlainly)
{
    EXPECT_EQ(Localization::describe(3.0), "3");
    EXPECT_EQ(Localization::describe(0.1), "0.1");
    EXPECT_EQ(Localization::describe(-2.5), "-2.5");
    EXPECT_EQ(Localization::describe(1e21), "1e+21");
    EXPECT_EQ(Localization::describe(std::int64_t{-12345}), "-12345");
    EXPECT_EQ(Localization::describe(std::uint64_t{18446744073709551615u}), "18446744073709551615");

    Localization::setLanguage(AppLanguage::fr);
    EXPECT_EQ(L("{0} fichiers", 3), "3 fichiers");
    EXPECT_EQ(L("{0} : {1}", std::string("photo.jpg"), "accès impossible."),
              "photo.jpg : accès impossible.");
    EXPECT_EQ(L("{0} sur {1}", 1.5, std::string_view("2")), "1.5 sur 2");
    EXPECT_EQ(L("Sans valeur {0}"), "Sans valeur {0}");
}

TEST_F(LocalizationTest, TheGlobalCatalogueIsTheEmbeddedOne)
{
    EXPECT_EQ(Localization::catalogue().keys(), Catalogue::parse(embeddedCatalogue()).keys());
    EXPECT_FALSE(Localization::keys().empty());
    EXPECT_EQ(Localization::translation("{0} fichiers", AppLanguage::de), "{0} Dateien");
    Localization::setLanguage(AppLanguage::es);
    EXPECT_EQ(Localization::text("1 fichier"), "1 archivo");
    EXPECT_EQ(L("{0} fichiers", 5), "5 archivos");
}

} // namespace
} // namespace tollenvane
