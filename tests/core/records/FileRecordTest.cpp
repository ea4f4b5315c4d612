#include "core/records/FileRecord.h"

#include "core/base/FileError.h"
#include "core/base/PlatformError.h"
#include "support/Errors.h"
#include "support/FakePlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace tollenvane {
namespace {

FileRecord roundTrip(const FileRecord& record)
{
    return FileRecord::fromJson(json::parse(json::dump(record.toJson())));
}

constexpr std::string_view infoPlist = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
<key>CFBundleIdentifier</key><string>org.example.tool</string>
<key>CFBundleShortVersionString</key><string>2.4.1</string>
</dict></plist>
)";

TEST(FileRecord, IsBuiltFromRegularFilesOfEveryShape)
{
    const test::TempDir dir;
    const std::string plain = dir.write("notes.txt", "hello");
    const std::string empty = dir.write("empty.bin");
    const std::string sparse = dir.write("sparse.img");
    {
        const int fd = ::open(sparse.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, "x", 1, 50 * 1024 * 1024), 1);
        ::close(fd);
    }
    ASSERT_EQ(::link(plain.c_str(), (dir / "hardlink.txt").c_str()), 0);

    const FileRecord record = FileRecord::read(plain);
    EXPECT_EQ(record.path(), plain);
    EXPECT_EQ(record.id(), plain);
    EXPECT_EQ(record.name(), "notes.txt");
    EXPECT_EQ(record.size(), 5);
    EXPECT_GT(record.allocatedSize(), 0);
    EXPECT_EQ(record.linkCount(), 2u);
    EXPECT_EQ(record.kind(), FileKind::document);
    EXPECT_FALSE(record.screenshot());
    EXPECT_TRUE(record.available());
    EXPECT_FALSE(record.applicationVersion() || record.bundleIdentifier() ||
                 record.packageFingerprint() || record.lastUsed());
    EXPECT_EQ(FileRecord::read(dir / "hardlink.txt").identity(), record.identity());
    EXPECT_TRUE(FileRecord::read(dir / "hardlink.txt").sameVersion(record));

    const FileRecord none = FileRecord::read(empty);
    EXPECT_EQ(none.size(), 0);
    EXPECT_EQ(none.allocatedSize(), 0);

    const FileRecord holes = FileRecord::read(sparse);
    EXPECT_EQ(holes.size(), 50 * 1024 * 1024 + 1);
    EXPECT_LT(holes.allocatedSize(), holes.size());

    // The path is kept standardised, whatever the caller passed.
    EXPECT_EQ(FileRecord::read(dir.path() + "//./notes.txt").path(), plain);
}

TEST(FileRecord, RefusesLinksPlainFoldersAndWhatCannotBeStored)
{
    const test::TempDir dir;
    const std::string target = dir.write("target.png", "png");
    ASSERT_EQ(::symlink(target.c_str(), (dir / "link.png").c_str()), 0);
    dir.makeFolder("Photos Library.photoslibrary");
    dir.makeFolder("folder");
    ASSERT_EQ(::symlink((dir / "Tool.app").c_str(), (dir / "Alias.app").c_str()), 0);
    dir.makeFolder("Tool.app");
    const std::string badName = dir.write("caf\xe9.txt", "x");

    for (const std::string& refused :
         {dir / "link.png", dir / "folder", dir / "Photos Library.photoslibrary", dir / "Alias.app",
          badName}) {
        EXPECT_EQ(test::fileErrorOf([&] { FileRecord::read(refused); }), FileError::unsupported)
            << refused;
    }
    EXPECT_THROW(FileRecord::read(dir / "missing.txt"), PlatformError);
}

TEST(FileRecord, ABundleIsMeasuredAndReadWhileANamesakeFileStaysPlain)
{
    const test::TempDir dir;
    dir.write("Tool.APP/Contents/Info.plist", infoPlist);
    dir.write("Tool.APP/Contents/MacOS/tool", std::string(3000, 'x'));
    const std::string notes = dir.write("notes.app", "just text");

    const FileRecord bundle = FileRecord::read(dir / "Tool.APP");
    EXPECT_EQ(bundle.kind(), FileKind::application);
    EXPECT_EQ(bundle.size(), 3000 + static_cast<std::int64_t>(infoPlist.size()));
    EXPECT_EQ(bundle.applicationVersion(), "2.4.1");
    EXPECT_EQ(bundle.bundleIdentifier(), "org.example.tool");
    ASSERT_TRUE(bundle.packageFingerprint());
    EXPECT_EQ(bundle.packageFingerprint()->size(), 64u);
    EXPECT_EQ(roundTrip(bundle), bundle);

    const FileRecord plain = FileRecord::read(notes);
    EXPECT_EQ(plain.kind(), FileKind::application);
    EXPECT_EQ(plain.size(), 9);
    EXPECT_FALSE(plain.packageFingerprint() || plain.bundleIdentifier());
}

TEST(FileRecord, RoundTripsThroughJsonAndNoticesATouch)
{
    const test::TempDir dir;
    const std::string photo = dir.write("holiday.png", "pixels");
    test::setModified(photo, 1'700'000'000, 987'654'321);
    const FileRecord record = FileRecord::read(photo);

    const Json json = record.toJson();
    const std::vector<std::string> expectedKeys{
        "url",      "size",          "allocatedSize",    "linkCount", "created",
        "modified", "kind",          "screenshot",       "available", "device",
        "inode",    "changeSeconds", "changeNanoseconds"};
    std::vector<std::string> keys;
    for (const auto& [key, value] : json.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, expectedKeys); // absent optionals are left out
    EXPECT_EQ(json["kind"], "image");

    const FileRecord back = roundTrip(record);
    EXPECT_EQ(back, record);
    EXPECT_EQ(std::hash<FileRecord>{}(back), std::hash<FileRecord>{}(record));
    EXPECT_TRUE(back.sameVersion(record));

    test::setModified(photo, 1'700'000'000, 987'654'322);
    const FileRecord touched = FileRecord::read(photo);
    EXPECT_TRUE(touched.sameFilesystemIdentity(record));
    EXPECT_FALSE(touched.sameVersion(record));
}

Json recordJson()
{
    return json::parse(R"({"url": "file:///home/a/My%20Files/x.png", "size": 10,
        "allocatedSize": 4096, "linkCount": 1, "created": -63114076800,
        "modified": 700000000.25, "kind": "image", "screenshot": false, "available": true,
        "device": 18446744073709551615, "inode": 9223372036854775809,
        "changeSeconds": 1700000000, "changeNanoseconds": 5, "extra": [1, 2]})");
}

TEST(FileRecord, DecodesStrictlyAndKeepsEveryValueExact)
{
    const FileRecord record = FileRecord::fromJson(recordJson());
    EXPECT_EQ(record.path(), "/home/a/My Files/x.png");
    EXPECT_EQ(record.created(), distantPast);
    EXPECT_EQ(record.device(), 18446744073709551615ULL);
    EXPECT_EQ(record.inode(), 9223372036854775809ULL);
    EXPECT_EQ(roundTrip(record), record);
    // Values beyond what a disk gives are kept whole all the same.
    for (const auto& [key, value] :
         std::vector<std::pair<const char*, Json>>{{"linkCount", 18446744073709551615ULL},
                                                   {"linkCount", 65535},
                                                   {"changeNanoseconds", -9223372036854775807LL},
                                                   {"changeNanoseconds", 4294967296LL}}) {
        Json large = recordJson();
        large[key] = value;
        const FileRecord kept = FileRecord::fromJson(large);
        EXPECT_EQ(kept.toJson()[key], value) << key;
        EXPECT_EQ(FileRecord(kept), kept);
        EXPECT_NE(kept, record);
    }

    for (const char* key : {"url", "size", "created", "kind", "device", "changeNanoseconds"}) {
        Json missing = recordJson();
        missing.erase(key);
        EXPECT_THROW(FileRecord::fromJson(missing), DecodeError) << key;
    }
    const std::vector<std::pair<const char*, Json>> wrong{
        {"kind", "Image"}, {"size", 10.5}, {"url", "/home/a/x.png"}};
    for (const auto& [key, value] : wrong) {
        Json edited = recordJson();
        edited[key] = value;
        EXPECT_THROW(FileRecord::fromJson(edited), DecodeError) << key;
    }
}

TEST(FileRecord, ComparesVolumesByUuidWhenBothHaveOneElseByDevice)
{
    Json a = recordJson();
    Json b = recordJson();
    a["volumeUUID"] = "11111111-2222-3333-4444-555555555555";
    EXPECT_TRUE(FileRecord::fromJson(a).sameVersion(FileRecord::fromJson(b)));

    b["volumeUUID"] = "11111111-2222-3333-4444-555555555555";
    b["device"] = 7; // the same volume, mounted again under another number
    EXPECT_TRUE(FileRecord::fromJson(a).sameVersion(FileRecord::fromJson(b)));

    b["volumeUUID"] = "99999999-2222-3333-4444-555555555555";
    b["device"] = a["device"];
    EXPECT_FALSE(FileRecord::fromJson(a).sameFilesystemIdentity(FileRecord::fromJson(b)));

    Json withFingerprint = recordJson();
    withFingerprint["packageFingerprint"] = std::string(64, 'a');
    EXPECT_TRUE(FileRecord::fromJson(withFingerprint)
                    .sameFilesystemIdentity(FileRecord::fromJson(recordJson())));
    EXPECT_FALSE(
        FileRecord::fromJson(withFingerprint).sameVersion(FileRecord::fromJson(recordJson())));

    Json moved = recordJson();
    moved["url"] = "file:///elsewhere/y.png";
    moved["kind"] = "other";
    moved["available"] = false;
    EXPECT_TRUE(FileRecord::fromJson(moved).sameVersion(FileRecord::fromJson(recordJson())));
}

TEST(FileRecord, ScreenshotNamesMatchComposedAndDecomposedAccentsButNotOtherApostrophes)
{
    for (const char* name :
         {"Screenshot 2024-05-01.png", "SCREEN SHOT 1.png", "Capture d\u2019\u00e9cran 1.png",
          "Capture d\u2019e\u0301cran 1.png", "Capture d'\u00e9cran 1.png",
          "Capture d'e\u0301cran 1.png", "Bildschirmfoto 2024.png", "Captura de pantalla.png",
          "Schermata 2024.png", "Istantanea schermo.png"}) {
        EXPECT_TRUE(hasScreenshotName(name)) << name;
    }
    for (const char* name :
         {"Capture d\u02bc\u00e9cran.png", "Capture decran.png", "holiday.png"}) {
        EXPECT_FALSE(hasScreenshotName(name)) << name;
    }

    const test::TempDir dir;
    EXPECT_TRUE(FileRecord::read(dir.write("Screenshot 2024-05-01.png")).screenshot());
    EXPECT_FALSE(FileRecord::read(dir.write("screenshot-demo.mov")).screenshot());
    EXPECT_FALSE(FileRecord::read(dir.write("holiday.png")).screenshot());

    // Where an index marks a capture, an image without a telling name counts too.
    test::FakeFileMetadata metadata;
    metadata.screenCaptures[dir / "holiday.png"] = true;
    metadata.screenCaptures[dir / "clip.mov"] = true;
    metadata.lastUsedDates[dir / "holiday.png"] = 12.0;
    const FileRecord::Environment environment{TypeLookup::system(), metadata,
                                              CloudStatus::system()};
    const FileRecord marked = FileRecord::read(dir / "holiday.png", {}, environment);
    EXPECT_TRUE(marked.screenshot());
    EXPECT_FALSE(marked.lastUsed()); // only bundles carry a last-used date
    EXPECT_FALSE(FileRecord::read(dir.write("clip.mov"), {}, environment).screenshot());
}

TEST(FileRecord, AvailabilityRefusesLinksOnThePathAndMissingFiles)
{
    const test::TempDir dir;
    const std::string file = dir.write("real/a.txt", "a");
    ASSERT_EQ(::symlink((dir / "real").c_str(), (dir / "linked").c_str()), 0);
    ASSERT_EQ(::symlink(file.c_str(), (dir / "real/b.txt").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "gone").c_str(), (dir / "real/dangling.txt").c_str()), 0);

    EXPECT_TRUE(FileRecord::isAvailableLocally(file));
    EXPECT_EQ(test::fileErrorOf([&] { FileRecord::isAvailableLocally(dir / "linked/a.txt"); }),
              FileError::unsafeSource);
    EXPECT_EQ(test::fileErrorOf([&] { FileRecord::isAvailableLocally(dir / "real/b.txt"); }),
              FileError::unsafeSource);
    EXPECT_EQ(test::fileErrorOf([&] { FileRecord::isAvailableLocally(dir / "real/dangling.txt"); }),
              FileError::missing);
    EXPECT_EQ(test::fileErrorOf([&] { FileRecord::isAvailableLocally(dir / "real/deleted.txt"); }),
              FileError::missing);

    test::FakeCloudStatus cloud;
    cloud.downloaded[file] = false;
    EXPECT_FALSE(FileRecord::isAvailableLocally(file, cloud));
    const FileRecord::Environment environment{TypeLookup::system(), FileMetadata::system(), cloud};
    EXPECT_FALSE(FileRecord::read(file, {}, environment).available());
}

} // namespace
} // namespace tollenvane
