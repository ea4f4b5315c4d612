#include "core/records/Preferences.h"

#include "core/records/SessionSummary.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

Preferences read(const std::string& text)
{
    return Preferences::fromJson(json::parse(text));
}

TEST(Preferences, MissingKeysTakeTheirDefaultsRangesAreClampedAndUnknownValuesFail)
{
    EXPECT_EQ(read("{}"), Preferences{});
    EXPECT_EQ(read(R"({"sounds": null, "language": null, "soundVolume": null})"), Preferences{});
    EXPECT_EQ(json::dump(Preferences{}.toJson()),
              R"({"sounds":false,"animations":true,"confirmTrash":false,"showHidden":false,)"
              R"("minimumSize":0,"onboardingComplete":false,"language":"system",)"
              R"("interactionVersion":2,"appearance":"dark","soundVolume":0.45})");
    EXPECT_EQ(read(R"({"minimumSize": -10})").minimumSize, 0);
    EXPECT_EQ(read(R"({"soundVolume": 1.7})").soundVolume, 1.0);
    EXPECT_EQ(read(R"({"soundVolume": -0.2})").soundVolume, 0.0);
    EXPECT_EQ(read(R"({"soundVolume": -5})").soundVolume, 0.0);
    EXPECT_EQ(read(R"({"soundVolume": 1})").soundVolume, 1.0);
    EXPECT_EQ(read(R"({"language": "it", "appearance": "system"})").language, AppLanguage::it);
    EXPECT_THROW(read(R"({"language": "pt"})"), DecodeError);
    EXPECT_THROW(read(R"({"appearance": "Dark"})"), DecodeError);
    EXPECT_THROW(read(R"({"sounds": "yes"})"), DecodeError);
    EXPECT_THROW(read(R"({"minimumSize": 1.5})"), DecodeError);
}

TEST(Preferences, TrashConfirmationNeedsTheCurrentInteractionVersion)
{
    for (const std::string version :
         {"", R"(, "interactionVersion": 1)", R"(, "interactionVersion": 0)",
          R"(, "interactionVersion": -4)"}) {
        const Preferences old = read(R"({"confirmTrash": true)" + version + "}");
        EXPECT_FALSE(old.confirmTrash) << version;
        EXPECT_EQ(old.interactionVersion, 2);
    }
    for (const std::string version : {"2", "3"}) {
        const Preferences current =
            read(R"({"confirmTrash": true, "interactionVersion": )" + version + "}");
        EXPECT_TRUE(current.confirmTrash) << version;
        EXPECT_EQ(current.interactionVersion, 2);
    }
}

TEST(SessionSummary, CountsAndWithdrawsDecisions)
{
    SessionSummary summary = SessionSummary::start();
    EXPECT_EQ(summary.id.size(), 36u);
    summary.record(Decision::trash, 5000, +1);
    EXPECT_EQ(summary.trashed, 1);
    EXPECT_EQ(summary.trashBytes, 5000);
    summary.record(Decision::trash, 5000, -1);
    EXPECT_EQ(summary.trashed, 0);
    EXPECT_EQ(summary.trashBytes, 0);
    summary.record(Decision::move, 5000, +1);
    summary.record(Decision::keep, 5000, +1);
    summary.record(Decision::later, 5000, +1);
    EXPECT_EQ(summary.trashBytes, 0);
    EXPECT_EQ(summary.total(), 3);
    EXPECT_EQ(SessionSummary::fromJson(json::parse(json::dump(summary.toJson()))), summary);

    Json negative = summary.toJson();
    for (const char* key : {"kept", "trashed", "moved", "deferred", "trashBytes"}) {
        negative[key] = -3;
    }
    const SessionSummary zero = SessionSummary::fromJson(negative);
    EXPECT_EQ(zero.total(), 0);
    EXPECT_EQ(zero.trashBytes, 0);
}

} // namespace
} // namespace tollenvane
