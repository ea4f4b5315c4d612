#include "core/platform/SharedMimeInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace tollenvane {
namespace {

const std::string fixture = std::string(TOLLENVANE_TEST_DATA) + "/mime";
const std::string userFixture = std::string(TOLLENVANE_TEST_DATA) + "/mime-user";

TEST(SharedMimeInfo, ClassifiesThroughTheBestGlobAliasesAndSubclassesOfSimpleExtensions)
{
    const SharedMimeInfo lookup({fixture});
    EXPECT_EQ(lookup.conformance("png"), TypeConformance::image);
    EXPECT_EQ(lookup.conformance("mp4"), TypeConformance::movie);
    EXPECT_EQ(lookup.conformance("flac"), TypeConformance::audio);
    EXPECT_EQ(lookup.conformance("tvp"), TypeConformance::pdf);   // an alias of application/pdf
    EXPECT_EQ(lookup.conformance("c"), TypeConformance::text);    // text/* is text/plain
    EXPECT_EQ(lookup.conformance("tvn"), TypeConformance::text);  // two subclass steps
    EXPECT_EQ(lookup.conformance("tvv"), TypeConformance::image); // image before text
    EXPECT_EQ(lookup.conformance("odt"), TypeConformance::content);
    EXPECT_EQ(lookup.conformance("xls"), TypeConformance::content);
    EXPECT_EQ(lookup.conformance("cab"), TypeConformance::otherData);
    EXPECT_EQ(lookup.conformance("zip"), TypeConformance::otherData);
    EXPECT_EQ(lookup.conformance("tvk"), TypeConformance::otherData);
    EXPECT_EQ(lookup.conformance("tvl"), TypeConformance::otherData); // a subclass cycle ends
    EXPECT_EQ(lookup.conformance("zzqx"), TypeConformance::noType);
    EXPECT_EQ(lookup.mimeType("tvp"), "application/pdf");

    // The best glob: the heavier "*.TVC" is case-sensitive, so it does not name "tvc".
    EXPECT_EQ(lookup.mimeType("tvc"), "text/x-tv-lower");
    // The heavier "*.TVW" is not, so it wins over the lighter "*.tvw".
    EXPECT_EQ(lookup.mimeType("tvw"), "video/x-tv-heavy");
    EXPECT_EQ(lookup.conformance("tvw"), TypeConformance::movie);
    // Equal weights: the kind tested first, then the first line.
    EXPECT_EQ(lookup.mimeType("tvf"), "image/x-tv-first");
    EXPECT_EQ(lookup.mimeType("ts"), "video/mp2t");
    EXPECT_EQ(lookup.conformance("ts"), TypeConformance::movie);
    EXPECT_EQ(lookup.mimeType("tvo"), "image/x-tv-one");

    // Nothing that is not a simple extension, nor what is malformed.
    for (const char* extension : {"makefile", "tv1", "gz", "tv.gz", "bad1", "bad2", "bad3", ""}) {
        EXPECT_EQ(lookup.conformance(extension), TypeConformance::noType) << extension;
    }
}

TEST(SharedMimeInfo, AMoreImportantFolderComesFirstAndCanDropGlobs)
{
    const SharedMimeInfo lookup({userFixture, fixture});
    EXPECT_EQ(lookup.mimeType("tvf"), "audio/x-tv-user");
    EXPECT_EQ(lookup.conformance("mp4"), TypeConformance::noType);
    EXPECT_EQ(lookup.conformance("mp4v"), TypeConformance::movie);
    EXPECT_EQ(lookup.conformance("png"), TypeConformance::image);

    const SharedMimeInfo empty({userFixture + "/missing", "/nonexistent/mime"});
    EXPECT_EQ(empty.conformance("png"), TypeConformance::noType);
}

TEST(SharedMimeInfo, StandardFoldersFollowTheXdgRules)
{
    using Variables = std::map<std::string, std::string>;
    const auto folders = [](const Variables& variables) {
        return SharedMimeInfo::standardFolders([&](const char* name) -> const char* {
            const auto found = variables.find(name);
            return found == variables.end() ? nullptr : found->second.c_str();
        });
    };
    EXPECT_EQ(folders({{"HOME", "/home/u"}}),
              (std::vector<std::string>{"/home/u/.local/share/mime", "/usr/local/share/mime",
                                        "/usr/share/mime"}));
    EXPECT_EQ(folders({{"HOME", "/home/u"},
                       {"XDG_DATA_HOME", "/data"},
                       {"XDG_DATA_DIRS", "/a:relative::/b/"}}),
              (std::vector<std::string>{"/data/mime", "/a/mime", "/b/mime"}));
    EXPECT_EQ(folders({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "rel"}, {"XDG_DATA_DIRS", "/a"}}),
              (std::vector<std::string>{"/home/u/.local/share/mime", "/a/mime"}));
    EXPECT_EQ(folders({{"XDG_DATA_DIRS", "/a"}}), (std::vector<std::string>{"/a/mime"}));
}

TEST(SharedMimeInfo, InstalledDatabase)
{
    if (!std::filesystem::exists("/usr/share/mime/globs2")) {
        GTEST_SKIP() << "no shared-mime-info database installed";
    }
    const TypeLookup& lookup = TypeLookup::system();
    EXPECT_EQ(lookup.conformance("png"), TypeConformance::image);
    EXPECT_EQ(lookup.conformance("mp4"), TypeConformance::movie);
    EXPECT_EQ(lookup.conformance("pdf"), TypeConformance::pdf);
    EXPECT_EQ(lookup.conformance("flac"), TypeConformance::audio);
    EXPECT_EQ(lookup.conformance("c"), TypeConformance::text);
    EXPECT_EQ(lookup.conformance("py"), TypeConformance::text);
    EXPECT_EQ(lookup.conformance("odt"), TypeConformance::content);
    EXPECT_EQ(lookup.conformance("ts"), TypeConformance::movie);
    EXPECT_EQ(lookup.conformance("zzqx"), TypeConformance::noType);
}

} // namespace
} // namespace tollenvane
