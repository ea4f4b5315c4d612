#include "core/platform/BundleInfo.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <plist/plist.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

std::string xmlPlist(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n" +
           body + "</dict>\n</plist>\n";
}

std::string binaryPlist(const std::string& version, const std::string& identifier)
{
    struct Free {
        void operator()(plist_t node) const { plist_free(node); }
    };
    const std::unique_ptr<void, Free> root(plist_new_dict());
    plist_dict_set_item(root.get(), "CFBundleShortVersionString",
                        plist_new_string(version.c_str()));
    plist_dict_set_item(root.get(), "CFBundleIdentifier", plist_new_string(identifier.c_str()));
    plist_t nested = plist_new_array();
    plist_array_append_item(nested, plist_new_uint(7));
    plist_dict_set_item(root.get(), "LSItems", nested);
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root.get(), &bytes, &length);
    const std::unique_ptr<char, void (*)(char*)> owned(bytes, &plist_to_bin_free);
    return std::string(owned.get(), length);
}

// A binary list written by hand, with 4-byte offsets and references, so that its object graph
// can take shapes no writer would produce. Object 0 is the top dictionary:
// {CFBundleIdentifier: "tv.tool", LSChain: object 4}; objects from 4 are `containers`.
std::string handMadePlist(const std::vector<std::vector<std::uint32_t>>& containers)
{
    const auto bigEndian = [](std::string& out, std::uint64_t value, int width) {
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) {
            out += static_cast<char>((value >> shift) & 0xFFU);
        }
    };
    std::vector<std::string> objects;
    std::string top(1, static_cast<char>(0xD2));
    for (const std::uint32_t reference : {1U, 2U, 3U, 4U}) { // two keys, then their values
        bigEndian(top, reference, 4);
    }
    objects.push_back(top);
    objects.push_back(std::string(1, static_cast<char>(0x5F)) + '\x10' + '\x12' +
                      "CFBundleIdentifier");
    objects.push_back(std::string(1, static_cast<char>(0x57)) + "LSChain");
    objects.push_back(std::string(1, static_cast<char>(0x57)) + "tv.tool");
    for (const auto& references : containers) {
        std::string array(1, static_cast<char>(0xAF));
        array += '\x12';
        bigEndian(array, references.size(), 4);
        for (const std::uint32_t reference : references) {
            bigEndian(array, reference, 4);
        }
        objects.push_back(array);
    }
    std::string data = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const std::string& object : objects) {
        offsets.push_back(data.size());
        data += object;
    }
    const std::uint64_t table = data.size();
    for (const std::uint64_t offset : offsets) {
        bigEndian(data, offset, 4);
    }
    data += std::string(6, '\0');
    data += '\x04';
    data += '\x04';
    bigEndian(data, objects.size(), 8);
    bigEndian(data, 0, 8);
    bigEndian(data, table, 8);
    return data;
}

// Object 4 onwards: each array refers `fanOut` times to the next one; the last is empty.
std::vector<std::vector<std::uint32_t>> chain(std::uint32_t length, int fanOut)
{
    std::vector<std::vector<std::uint32_t>> containers;
    for (std::uint32_t i = 0; i < length; ++i) {
        const std::uint32_t next = 4 + i + 1;
        containers.emplace_back(i + 1 < length ? std::vector<std::uint32_t>(fanOut, next)
                                               : std::vector<std::uint32_t>{});
    }
    return containers;
}

TEST(BundleInfo, ReadsStringsOfXmlOrBinaryListsContentsFirstAndNothingElse)
{
    const test::TempDir dir;
    struct Case {
        std::string list;
        std::string content;
        std::optional<std::string> version;
        std::optional<std::string> identifier;
    };
    const std::string identifier = "<key>CFBundleIdentifier</key><string>tv.id</string>";
    const std::vector<Case> cases{
        {"Xml.app/Contents/Info.plist",
         xmlPlist("<key>CFBundleShortVersionString</key><string>2.1 &lt;b&gt;</string>\n" +
                  identifier +
                  "<key>LSNested</key><array><dict><key>a</key><array/></dict></array>"),
         "2.1 <b>", "tv.id"},
        {"Binary.app/Contents/Info.plist", binaryPlist("3.0", "tv.binary"), "3.0", "tv.binary"},
        {"Flat.app/Info.plist", xmlPlist(identifier), std::nullopt, "tv.id"},
        // Only strings of UTF-8 count.
        {"Number.app/Contents/Info.plist",
         xmlPlist("<key>CFBundleShortVersionString</key><integer>3</integer>" + identifier),
         std::nullopt, "tv.id"},
        {"Latin1.app/Contents/Info.plist",
         xmlPlist("<key>CFBundleIdentifier</key><string>caf\xE9</string>"), std::nullopt,
         std::nullopt},
        // A list that cannot be used gives neither value.
        {"Broken.app/Contents/Info.plist", "<plist><dict><key>CFBundleIdentifier</key>",
         std::nullopt, std::nullopt},
        {"Blank.app/Contents/Info.plist", "", std::nullopt, std::nullopt},
        {"Array.app/Contents/Info.plist", "<plist><array><string>x</string></array></plist>",
         std::nullopt, std::nullopt},
        {"Huge.app/Contents/Info.plist", xmlPlist(identifier) + std::string(8 * 1024 * 1024, ' '),
         std::nullopt, std::nullopt},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.list);
        dir.write(each.list, each.content);
        const auto info = BundleInfo::read(dir / each.list.substr(0, each.list.find('/')));
        ASSERT_TRUE(info);
        EXPECT_EQ(info->shortVersion, each.version);
        EXPECT_EQ(info->identifier, each.identifier);
    }

    dir.write("Both.app/Contents/Info.plist", xmlPlist(identifier));
    dir.write("Both.app/Info.plist", xmlPlist("<key>CFBundleIdentifier</key><string>top</string>"));
    EXPECT_EQ(BundleInfo::read(dir / "Both.app")->identifier, "tv.id");
    for (const char* folder : {"Empty.app", "Folder.app/Contents/Info.plist"}) {
        dir.makeFolder(folder);
    }
    for (const char* name : {"Empty.app", "Folder.app"}) {
        const auto info = BundleInfo::read(dir / name);
        ASSERT_TRUE(info) << name;
        EXPECT_FALSE(info->shortVersion || info->identifier) << name;
    }
    dir.write("File.app", "not a folder");
    EXPECT_EQ(BundleInfo::read(dir / "File.app"), std::nullopt);
    EXPECT_EQ(BundleInfo::read(dir / "Missing.app"), std::nullopt);
}

TEST(BundleInfo, HostileListsAreRefusedWithoutExhaustingTheProcess)
{
    const test::TempDir dir;
    // The hand-made lists are sound: a shallow chain and a small fan-out read normally.
    dir.write("Shallow.app/Contents/Info.plist", handMadePlist(chain(10, 1)));
    dir.write("Fanned.app/Contents/Info.plist", handMadePlist(chain(4, 2)));
    EXPECT_EQ(BundleInfo::read(dir / "Shallow.app")->identifier, "tv.tool");
    EXPECT_EQ(BundleInfo::read(dir / "Fanned.app")->identifier, "tv.tool");

    // Nesting deep enough to overflow libplist's recursion, and 2^60 copies of shared objects.
    dir.write("Deep.app/Contents/Info.plist", handMadePlist(chain(90'000, 1)));
    dir.write("Bomb.app/Contents/Info.plist", handMadePlist(chain(60, 2)));
    std::string deepXml = "<plist>";
    for (int i = 0; i < 300'000; ++i) {
        deepXml += "<array>";
    }
    for (int i = 0; i < 300'000; ++i) {
        deepXml += "</array>";
    }
    deepXml += "</plist>";
    dir.write("DeepXml.app/Contents/Info.plist", deepXml);
    for (const char* name : {"Deep.app", "Bomb.app", "DeepXml.app"}) {
        const auto info = BundleInfo::read(dir / name);
        ASSERT_TRUE(info) << name;
        EXPECT_EQ(info->identifier, std::nullopt) << name;
    }
}

} // namespace
} // namespace tollenvane
