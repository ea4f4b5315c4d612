#include "app/kit/AddedFolders.h"

#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

FolderGrant grant(const std::string& id, const std::string& name)
{
    FolderGrant made;
    made.id = id;
    made.name = name;
    return made;
}

TEST(AddedFolders, OnlyTheGrantsNewSinceLastTimeAreNamed)
{
    AddedFolders added;
    EXPECT_TRUE(added.since({grant("A", "Pictures")}).empty());
    EXPECT_TRUE(added.since({grant("A", "Pictures renamed")}).empty());
    EXPECT_EQ(added.since({grant("B", "Music"), grant("A", "Pictures"), grant("C", "Films")}),
              (std::vector<std::string>{"Music", "Films"}));
    // One removed and one added in its place.
    EXPECT_EQ(added.since({grant("A", "Pictures"), grant("D", "Films")}),
              std::vector<std::string>{"Films"});

    const test::ScopedLanguage english(AppLanguage::en);
    EXPECT_EQ(foldersAddedNotice({}), QString());
    EXPECT_EQ(foldersAddedNotice({"Music"}), QStringLiteral("Folder added: \u2068Music\u2069"));
    EXPECT_EQ(foldersAddedNotice({"A", "B"}),
              QStringLiteral("2 folders added: \u2068A\u2069, \u2068B\u2069"));
    EXPECT_EQ(foldersAddedNotice({"A", "B", "C", "D"}), QStringLiteral("4 folders added"));
}

} // namespace
} // namespace tollenvane
