#include "app/design/ShownText.h"

#include "app/design/ShownName.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

// Whatever part of a shown text is selected, it copies as the names themselves: no isolation,
// no mark standing for a character, a name of spaces as its spaces.
TEST(ShownText, ASelectionCopiesTheNamesThemselves)
{
    const QString name = QStringLiteral("a\u202Eb.txt");
    const ShownText text = ShownText::name(name);
    EXPECT_EQ(text.shown(), shownName(name));
    const qsizetype all = text.shown().size();
    EXPECT_EQ(text.copied(0, all), name);
    // A mark partly selected copies as the character it stands for, once.
    const qsizetype mark = text.shown().indexOf(QStringLiteral("<U+"));
    ASSERT_GT(mark, 0);
    EXPECT_EQ(text.copied(mark + 2, 8), QStringLiteral("\u202Eb."));
    EXPECT_EQ(text.copied(0, 2), QStringLiteral("a"));
    EXPECT_EQ(text.copied(all - 4, 10), QStringLiteral("txt"));

    const ShownText spaces = ShownText::name(QStringLiteral("  "));
    EXPECT_EQ(spaces.copied(0, spaces.shown().size()), QStringLiteral("  "));

    // Plain text around a name copies as it shows.
    ShownText problem = ShownText::problem("/home/u/\u2068x : Permission refusée");
    EXPECT_EQ(problem.shown(), shownProblem("/home/u/\u2068x : Permission refusée"));
    EXPECT_EQ(problem.copied(0, problem.shown().size()),
              QStringLiteral("/home/u/\u2068x : Permission refusée"));
    problem.append(QStringLiteral(" (1)"));
    EXPECT_TRUE(problem.copied(0, problem.shown().size()).endsWith(QStringLiteral("refusée (1)")));
    EXPECT_EQ(ShownText::problem("sans séparateur").shown(), QStringLiteral("sans séparateur"));
}

} // namespace
} // namespace tollenvane
