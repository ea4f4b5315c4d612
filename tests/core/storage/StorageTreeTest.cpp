#include "core/storage/StorageTree.h"

#include "core/base/Path.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace tollenvane {
namespace {

using test::RecordSample;

class StorageTreeTest : public ::testing::Test {
protected:
    test::TempDir folder;
    std::string root = path::resolved(folder.makeFolder("Doc"));
    StorageTree tree{{root}};

    std::string in(std::string_view relative) const { return path::appending(root, relative); }
    void add(std::string_view relative, std::int64_t size, int direction = +1)
    {
        tree.apply(RecordSample{.size = size, .path = in(relative)}.record(), direction);
    }
};

TEST_F(StorageTreeTest, FoldersSumTheFilesBelowThem)
{
    add("a/b/f.txt", 10);
    add("a/b/g.txt", 5);
    add("a/h.txt", 0);

    const auto top = tree.nodes(std::nullopt);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0], (StorageNode{root, "Doc", true, 15, 3}));
    EXPECT_EQ(top[0].url(), "file://" + root + "/");
    EXPECT_EQ(tree.nodes(root), (std::vector<StorageNode>{{in("a"), "a", true, 15, 3}}));
    EXPECT_EQ(tree.nodes(in("a")),
              (std::vector<StorageNode>{{in("a/b"), "b", true, 15, 2},
                                        {in("a/h.txt"), "h.txt", false, 0, 1}}));
    EXPECT_EQ(tree.nodes(in("a/b")),
              (std::vector<StorageNode>{{in("a/b/f.txt"), "f.txt", false, 10, 1},
                                        {in("a/b/g.txt"), "g.txt", false, 5, 1}}));
    EXPECT_TRUE(tree.nodes(in("a/b/f.txt")).empty());
    EXPECT_TRUE(tree.nodes(in("nothing")).empty());
    EXPECT_TRUE(tree.nodes(in("a/")).empty());
    EXPECT_TRUE(tree.nodes("/elsewhere").empty());

    add("a/b/g.txt", 5, -1);
    EXPECT_EQ(tree.nodes(in("a")).front(), (StorageNode{in("a/b"), "b", true, 10, 1}));
}

TEST_F(StorageTreeTest, RemovingTheLastFileRemovesEveryEmptiedAncestor)
{
    add("a/b/c/f.txt", 7);
    add("x.txt", 1);
    add("a/b/c/f.txt", 7, -1);
    EXPECT_EQ(tree.nodes(root), (std::vector<StorageNode>{{in("x.txt"), "x.txt", false, 1, 1}}));
    EXPECT_TRUE(tree.nodes(in("a")).empty());
    EXPECT_TRUE(tree.nodes(in("a/b")).empty());

    add("x.txt", 1, -1);
    EXPECT_TRUE(tree.nodes(std::nullopt).empty());
    EXPECT_TRUE(tree.nodes(root).empty());

    // Removing what was never added leaves nothing behind either.
    add("ghost/f.txt", 3, -1);
    EXPECT_TRUE(tree.nodes(std::nullopt).empty());

    // And the tree grows again after being emptied.
    add("a/b/c/f.txt", 7);
    EXPECT_EQ(tree.nodes(in("a/b")).front().count, 1);
}

TEST_F(StorageTreeTest, OnlyFilesBelowARootCount)
{
    const std::string sibling = path::resolved(folder.makeFolder("Docs"));
    tree.apply(RecordSample{.path = sibling + "/f.txt"}.record(), +1);
    tree.apply(RecordSample{.path = root}.record(), +1);
    // Paths no record has: an empty name below the root is no file.
    tree.apply(root + "//f.txt", 5, +1);
    tree.apply(root + "/a//f.txt", 5, +1);
    tree.apply(root + "/a/", 5, +1);
    EXPECT_TRUE(tree.nodes(std::nullopt).empty());
}

TEST_F(StorageTreeTest, EqualSizesAreListedByPathAndANodeKeepsItsFirstForm)
{
    add("b.txt", 4);
    add("c.txt", 9);
    add("a.txt", 4);
    auto children = tree.nodes(root);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(children[0].name, "c.txt");
    EXPECT_EQ(children[1].name, "a.txt");
    EXPECT_EQ(children[2].name, "b.txt");

    // A file node that later has files below it stays a file node.
    add("a.txt/inner", 1);
    children = tree.nodes(root);
    EXPECT_EQ(children[1], (StorageNode{in("a.txt"), "a.txt", false, 5, 2}));
}

TEST(StorageTree, NestedRootsCollapseToTheOuterOne)
{
    test::TempDir folder;
    const std::string outer = path::resolved(folder.makeFolder("outer"));
    const std::string inner = path::resolved(folder.makeFolder("outer/inner"));
    StorageTree tree({inner, outer});
    EXPECT_EQ(tree.roots(), std::vector<std::string>{outer});
    tree.apply(RecordSample{.path = inner + "/f"}.record(), +1);
    EXPECT_EQ(tree.nodes(outer).front().id, inner);
}

// Random additions and removals against totals summed from scratch after every step. Paths of
// one to three names from a small set make files lie below other files, removed in every order:
// every node's figures agree with the files held, and no node outlives the files below it.
TEST_F(StorageTreeTest, AgreesWithTotalsSummedFromScratch)
{
    using Totals = std::map<std::string, std::pair<std::int64_t, std::int64_t>>; // by path
    std::map<std::string, std::int64_t> held; // relative path to size
    const auto expected = [&] {
        Totals totals;
        for (const auto& [relative, size] : held) {
            const auto count = [&, size = size](const std::string& place) {
                totals[place].first += size;
                totals[place].second += 1;
            };
            count(root);
            for (std::size_t end = 0; end != std::string::npos;) {
                end = relative.find('/', end + 1);
                count(in(relative.substr(0, end)));
            }
        }
        return totals;
    };
    const auto found = [&] {
        Totals totals;
        std::vector<StorageNode> pending = tree.nodes(std::nullopt);
        while (!pending.empty()) {
            const StorageNode node = pending.back();
            pending.pop_back();
            totals.emplace(node.id, std::pair{node.bytes, node.count});
            const auto below = tree.nodes(node.id);
            pending.insert(pending.end(), below.begin(), below.end());
        }
        return totals;
    };
    std::mt19937 random(11);
    for (int step = 0; step < 3000; ++step) {
        std::string relative = "n" + std::to_string(random() % 2);
        for (auto depth = random() % 3; depth > 0; --depth) {
            relative += "/n" + std::to_string(random() % 2);
        }
        if (const auto file = held.find(relative); file != held.end() && random() % 2 == 0) {
            add(relative, file->second, -1);
            held.erase(file);
        } else if (file == held.end()) {
            const auto size = static_cast<std::int64_t>(random() % 1000);
            add(relative, size);
            held.emplace(relative, size);
        }
        ASSERT_EQ(found(), expected()) << "after " << relative;
    }
}

} // namespace
} // namespace tollenvane
