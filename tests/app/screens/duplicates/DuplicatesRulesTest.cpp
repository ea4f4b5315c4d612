#include "app/screens/duplicates/DuplicatesRules.h"

#include "app/screens/duplicates/DuplicateGroupStack.h"
#include "core/localisation/Formatting.h"
#include "core/records/FileRecord.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(DuplicatesRules, ASearchWinsThenAnEmptyListInvitesAnotherOne)
{
    EXPECT_EQ(duplicatesStatus(true, true), DuplicatesStatus::searching);
    EXPECT_EQ(duplicatesStatus(true, false), DuplicatesStatus::searching);
    EXPECT_EQ(duplicatesStatus(false, true), DuplicatesStatus::empty);
    EXPECT_EQ(duplicatesStatus(false, false), DuplicatesStatus::none);

    EXPECT_TRUE(canSearchAgain(false, false));
    EXPECT_FALSE(canSearchAgain(true, false));
    EXPECT_FALSE(canSearchAgain(false, true));
    EXPECT_TRUE(canKeepCopy(false));
    EXPECT_FALSE(canKeepCopy(true));
}

TEST(DuplicatesRules, TheHeaderCountsTheCopiesAndFreesAllButOne)
{
    const test::TempDir folder;
    DuplicateGroup group{.digest = std::string(64, 'a'), .files = {}};
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        group.files.push_back(FileRecord::read(folder.write(name, std::string(1500, 'x'))));
    }
    EXPECT_EQ(copiesText(group), QStringLiteral("3 copies identiques"));
    EXPECT_EQ(reclaimableText(group),
              QString::fromStdString(formattedBytes(3000)) + QStringLiteral(" récupérables"));

    EXPECT_EQ(folderOf("/home/camille/photo.jpg"), QStringLiteral("/home/camille"));
    EXPECT_EQ(folderOf("/photo.jpg"), QStringLiteral("/"));
}

TEST(DuplicatesRules, EveryGroupComesIntoSightEvenPastTheTallestWidget)
{
    // A short list scrolls pixel for pixel.
    const DuplicateGroupStack few({100, 200, 100}, 24, 16'777'215);
    EXPECT_EQ(few.height(), 448);
    const DuplicateGroupStack::InSight middle = few.inSight(130, 50);
    EXPECT_EQ(middle.first, 1U);
    EXPECT_EQ(middle.end, 2U);
    EXPECT_EQ(few.topOf(1, middle), 124);
    // With the list below the top of the view, the first groups stand where they are.
    const DuplicateGroupStack::InSight above = few.inSight(-300, 450);
    EXPECT_EQ(above.first, 0U);
    EXPECT_EQ(above.end, 2U);
    EXPECT_EQ(few.topOf(0, above), 0);

    // 200,000 groups are taller than a widget may be: the first still starts at the top and the
    // last ends at the bottom, and a view anywhere sees groups that touch one another.
    constexpr int tallest = 16'777'215;
    const DuplicateGroupStack many(std::vector<int>(200'000, 170), 24, tallest);
    EXPECT_EQ(many.height(), tallest);
    const DuplicateGroupStack::InSight top = many.inSight(0, 800);
    EXPECT_EQ(top.first, 0U);
    EXPECT_EQ(many.topOf(0, top), 0);
    const DuplicateGroupStack::InSight bottom = many.inSight(tallest - 800, 800);
    EXPECT_EQ(bottom.end, 200'000U);
    EXPECT_EQ(many.topOf(199'999, bottom) + 170, tallest);
    const DuplicateGroupStack::InSight half = many.inSight(tallest / 2, 800);
    EXPECT_GT(half.first, 90'000U);
    EXPECT_LT(half.first, 110'000U);
    EXPECT_LE(many.topOf(half.first, half), tallest / 2);
    EXPECT_GT(many.topOf(half.first, half) + 170, tallest / 2);
    EXPECT_GE(many.topOf(half.end - 1, half) + 170, tallest / 2 + 800 - 24);
}

} // namespace
} // namespace tollenvane
