#include "app/design/ShownName.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

const QString fsi = QStringLiteral("\u2068");
const QString pdi = QStringLiteral("\u2069");

TEST(ShownName, NoNameCanPassForAnother)
{
    struct Case {
        QString name;
        QString shown;
    };
    const std::vector<Case> cases = {
        {"Rapport 2024.pdf", "Rapport 2024.pdf"},
        {QStringLiteral("\u202Etxt.exe"), "<U+202E>txt.exe"},
        {QStringLiteral("a\u2066b\u2067c\u2069d\u200Fe\u061Cf"),
         "a<U+2066>b<U+2067>c<U+2069>d<U+200F>e<U+061C>f"},
        {"two\nlines\ttab\x7f", QStringLiteral("two\u240Alines\u2409tab\u2421")},
        {QStringLiteral("para\u2028line\u2029end"), "para<U+2028>line<U+2029>end"},
        {QStringLiteral("zero\u200Bwidth\uFEFF"), "zero<U+200B>width<U+FEFF>"},
        {"   ", QStringLiteral("\u2423\u2423\u2423")},
        {QStringLiteral("\u00A0 "), QStringLiteral("\u2423\u2423")},
        {"", ""},
        // Joiners between letters or emoji shape the script and stay; elsewhere they are marks.
        {QStringLiteral("\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645"),
         QStringLiteral("\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645")},
        {QStringLiteral("\U0001F468\u200D\U0001F469.jpg"),
         QStringLiteral("\U0001F468\u200D\U0001F469.jpg")},
        {QStringLiteral("\u200Dstart.txt"), "<U+200D>start.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shownName(c.name), fsi + c.shown + pdi) << c.name.toStdString();
    }
    EXPECT_EQ(shownName(std::string("\xE2\x80\xAEtxt.exe")), fsi + "<U+202E>txt.exe" + pdi);
}

} // namespace
} // namespace tollenvane
