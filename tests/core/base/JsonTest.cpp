#include "core/base/Json.h"

#include "core/base/Base64.h"
#include "core/base/FileUrl.h"
#include "core/base/Utf8.h"
#include "core/base/Uuid.h"

#include <gtest/gtest.h>

#include <limits>

namespace tollenvane {
namespace {

TEST(Json, IntegersAndDatesStayExactAndKeysKeepTheirOrder)
{
    constexpr auto big = std::numeric_limits<std::uint64_t>::max() - 1;
    Json object;
    object["inode"] = big;
    object["size"] = std::numeric_limits<std::int64_t>::min();
    const Json back = json::parse(json::dump(object));
    EXPECT_EQ(json::uint64(back, "inode"), big);
    EXPECT_EQ(json::int64(back, "size"), std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(json::int64(back, "inode"), DecodeError); // above the signed range

    // Dates bit for bit; keys in their order.
    Json dated;
    dated["z"] = 1;
    dated["created"] = distantPast;
    dated["modified"] = dateFromTimestamp(1'700'000'000, 123'456'789);
    dated["a"] = 2;
    const std::string text = json::dump(dated);
    EXPECT_LT(text.find("\"z\""), text.find("\"a\""));
    const Json read = json::parse(text);
    EXPECT_EQ(json::date(read, "created"), distantPast);
    EXPECT_EQ(json::date(read, "modified"), dateFromTimestamp(1'700'000'000, 123'456'789));
}

TEST(Json, ReadersAreStrictAboutTypesAndPresence)
{
    const Json object = json::parse(
        R"({"fraction": 1.5, "negative": -3, "text": "x", "flag": 1, "none": null, "n": 2})");
    EXPECT_THROW(json::int64(object, "fraction"), DecodeError);
    EXPECT_THROW(json::uint64(object, "negative"), DecodeError);
    EXPECT_THROW(json::boolean(object, "flag"), DecodeError);
    EXPECT_THROW(json::string(object, "missing"), DecodeError);
    EXPECT_THROW(json::string(object, "none"), DecodeError);
    EXPECT_EQ(json::optionalString(object, "none"), std::nullopt);
    EXPECT_EQ(json::optionalString(object, "missing"), std::nullopt);
    EXPECT_THROW(json::optionalString(object, "n"), DecodeError);
    EXPECT_DOUBLE_EQ(json::number(object, "n"), 2.0);
    EXPECT_THROW(json::parse("{\"a\": "), DecodeError);
    EXPECT_THROW(json::parse(R"({"a": 1e400})"), DecodeError);
    EXPECT_THROW(json::parse(R"({"a": -1e400})"), DecodeError);
    EXPECT_THROW(json::parse(std::string("{}\0\0", 4)), DecodeError);
    EXPECT_THROW(json::string(Json::array(), "a"), DecodeError);
}

TEST(Base64, RoundTripsAndRejectsMalformedText)
{
    for (const std::string& bytes : {std::string(), std::string("f"), std::string("fo"),
                                     std::string("foo"), std::string("\0\xff\x10", 3)}) {
        EXPECT_EQ(base64::decode(base64::encode(bytes)), bytes);
    }
    EXPECT_EQ(base64::encode("foob"), "Zm9vYg==");
    EXPECT_EQ(base64::decode("Zm9vYg"), std::nullopt);
    EXPECT_EQ(base64::decode("Zm9v\nYg=="), std::nullopt);
    EXPECT_EQ(base64::decode("Zm=vYg=="), std::nullopt);
    EXPECT_EQ(base64::decode("Zm9v-g=="), std::nullopt);
}

TEST(FileUrl, PercentEncodesEverythingButUnreservedBytesAndSlashes)
{
    const std::string path = "/home/a/My Files/100% caf\u00e9/#1?.txt";
    const std::string url = fileUrl(path);
    EXPECT_EQ(url, "file:///home/a/My%20Files/100%25%20caf%C3%A9/%231%3F.txt");
    EXPECT_EQ(pathFromFileUrl(url), path);
    EXPECT_EQ(pathFromFileUrl("file://localhost/a/b/"), "/a/b");
    EXPECT_EQ(pathFromFileUrl("file:///a/%2"), std::nullopt);
    EXPECT_EQ(pathFromFileUrl("file:///a/%00b"), std::nullopt);
    EXPECT_EQ(pathFromFileUrl("https://example.org/a"), std::nullopt);
    EXPECT_EQ(pathFromFileUrl("file://server/a"), std::nullopt);
}

TEST(Uuid, IsWrittenUpperCaseAndReadOnlyInItsPlainForm)
{
    const std::string made = uuid::make();
    EXPECT_EQ(uuid::canonical(made), made);
    EXPECT_EQ(made.find_first_of("abcdef"), std::string::npos);
    EXPECT_EQ(uuid::canonical("0a1b2c3d-4e5f-6789-abcd-ef0123456789"),
              "0A1B2C3D-4E5F-6789-ABCD-EF0123456789");
    EXPECT_EQ(uuid::canonical("{0A1B2C3D-4E5F-6789-ABCD-EF0123456789}"), std::nullopt);
    EXPECT_EQ(uuid::canonical("0A1B2C3D4E5F6789ABCDEF0123456789"), std::nullopt);
}

TEST(Utf8, AcceptsWellFormedTextOnlyAndJsonDumpsNothingElse)
{
    EXPECT_TRUE(isValidUtf8("caf\u00e9 \U0001F600"));
    EXPECT_FALSE(isValidUtf8("caf\xe9"));
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xe2\x82"));         // cut short

    Json object;
    object["name"] = std::string("caf\xe9");
    EXPECT_ANY_THROW(json::dump(object));
}

} // namespace
} // namespace tollenvane
