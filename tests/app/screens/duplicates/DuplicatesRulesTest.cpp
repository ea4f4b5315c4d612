#include "app/screens/duplicates/DuplicatesRules.h"

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

} // namespace
} // namespace tollenvane
