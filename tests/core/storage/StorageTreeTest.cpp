#include "core/storage/StorageTree.h"

#include "core/base/Path.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Random additions and removals against totals summed from scratch: every folder's figures and
// every file's entry agree with the files held, and emptied nodes are gone.
TEST_F(StorageTreeTest, AgreesWithTotalsSummedFromScratch)
{
    std::mt19937 random(11);
    std::map<std::string, std::int64_t> held; // relative path to size
    for (int step = 0; step < 5000; ++step) {
        const std::string relative = "d" + std::to_string(random() % 4) + "/e" +
                                     std::to_string(random() % 3) + "/f" +
                                     std::to_string(random() % 40);
        if (const auto found = held.find(relative); found != held.end() && random() % 2 == 0) {
            add(relative, found->second, -1);
            held.erase(found);
        } else if (found == held.end()) {
            const auto size = static_cast<std::int64_t>(random() % 1000);
            add(relative, size);
            held.emplace(relative, size);
        }
    }
    std::map<std::string, std::pair<std::int64_t, std::int64_t>> expected; // folder to totals
    for (const auto& [relative, size] : held) {
        for (std::size_t slash = relative.find('/'); slash != std::string::npos;
             slash = relative.find('/', slash + 1)) {
            auto& totals = expected[in(relative.substr(0, slash))];
            totals.first += size;
            totals.second += 1;
        }
    }
    for (const auto& [place, totals] : expected) {
        const auto parent = std::string(path::parent(place));
        const auto nodes = tree.nodes(parent);
        const auto node = std::find_if(nodes.begin(), nodes.end(),
                                       [&](const StorageNode& n) { return n.id == place; });
        ASSERT_NE(node, nodes.end()) << place;
        EXPECT_EQ(node->bytes, totals.first);
        EXPECT_EQ(node->count, totals.second);
    }
    std::size_t files = 0;
    for (const auto& [place, totals] : expected) {
        for (const StorageNode& node : tree.nodes(place)) {
            if (!node.directory) {
                ++files;
                EXPECT_EQ(node.bytes, held.at(node.id.substr(root.size() + 1)));
            } else {
                EXPECT_TRUE(expected.contains(node.id)) << node.id;
            }
        }
    }
    EXPECT_EQ(files, held.size());
}

} // namespace
} // namespace tollenvane
