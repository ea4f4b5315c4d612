#include "core/records/FileKind.h"

#include "support/FakePlatform.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(FileKind, TheFixedListsDecideBeforeTheTypeDatabase)
{
    const std::map<FileKind, std::vector<std::string>> lists{
        {FileKind::application, {"app"}},
        {FileKind::archive,
         {"zip", "rar", "7z", "gz", "tar", "bz2", "xz", "dmg", "iso", "pkg", "xip", "zst"}},
        {FileKind::image,
         {"png", "jpg", "jpeg", "heic", "heif", "gif", "tiff", "tif", "webp", "bmp", "avif", "raw",
          "cr2", "nef", "dng"}},
        {FileKind::video,
         {"mp4", "mov", "m4v", "mkv", "avi", "webm", "mpeg", "mpg", "mxf", "mts", "m2ts", "braw",
          "r3d", "prores"}},
        {FileKind::pdf, {"pdf"}},
        {FileKind::audio, {"wav", "mp3", "m4a", "aac", "aiff", "aif", "flac", "ogg", "opus"}},
        {FileKind::document,
         {"txt", "md", "rtf", "doc", "docx", "odt", "xls", "xlsx", "csv", "ppt", "pptx", "pages",
          "numbers", "key"}},
    };
    // A database that contradicts every list must not be asked.
    test::FakeTypeLookup contrary;
    for (const auto& [kind, extensions] : lists) {
        for (const auto& extension : extensions) {
            contrary.types[extension] = TypeConformance::otherData;
            EXPECT_EQ(classify("/d/file." + extension, contrary), kind) << extension;
        }
    }
    EXPECT_EQ(classify("/d/IMG_0001.JPG", contrary), FileKind::image);
    EXPECT_EQ(classify("/d/Tool.APP", contrary), FileKind::application);
}

TEST(FileKind, OtherExtensionsFollowTheTypeDatabase)
{
    test::FakeTypeLookup types;
    types.types = {{"svg", TypeConformance::image},       {"ogv", TypeConformance::movie},
                   {"ai", TypeConformance::pdf},          {"mid", TypeConformance::audio},
                   {"py", TypeConformance::text},         {"epub", TypeConformance::content},
                   {"sqlite", TypeConformance::otherData}};
    EXPECT_EQ(classify("/d/logo.SVG", types), FileKind::image);
    EXPECT_EQ(classify("/d/clip.ogv", types), FileKind::video);
    EXPECT_EQ(classify("/d/art.ai", types), FileKind::pdf);
    EXPECT_EQ(classify("/d/song.mid", types), FileKind::audio);
    EXPECT_EQ(classify("/d/script.py", types), FileKind::document);
    EXPECT_EQ(classify("/d/book.epub", types), FileKind::document);
    EXPECT_EQ(classify("/d/data.sqlite", types), FileKind::other);
    EXPECT_EQ(classify("/d/unknown.zzqx", types), FileKind::other);
    EXPECT_EQ(classify("/d/README", types), FileKind::other);
    EXPECT_EQ(classify("/d/.bashrc", types), FileKind::other);
}

} // namespace
} // namespace tollenvane
