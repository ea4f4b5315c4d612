#include "core/records/OperationReceipt.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(OperationReceipt, UndoNeedsAPlaceAndARecordForTrashAndMove)
{
    const test::TempDir dir;
    const FileRecord record = FileRecord::read(dir.write("a.txt", "a"));
    const FileRecord moved = FileRecord::read(dir.write("b/a.txt", "a"));

    EXPECT_TRUE((OperationReceipt{record, Decision::keep, {}, {}, {}}).canUndo());
    EXPECT_TRUE((OperationReceipt{record, Decision::later, {}, {}, {}}).canUndo());
    EXPECT_FALSE((OperationReceipt{record, Decision::trash, {}, {}, {}}).canUndo());
    EXPECT_FALSE(
        (OperationReceipt{record, Decision::move, std::string(moved.path()), {}, {}}).canUndo());

    const OperationReceipt full{record, Decision::move, std::string(moved.path()), moved,
                                std::string(64, '0')};
    EXPECT_TRUE(full.canUndo());
    const Json json = full.toJson();
    EXPECT_EQ(json["resultingURL"], "file://" + std::string(moved.path()));
    EXPECT_EQ(OperationReceipt::fromJson(json::parse(json::dump(json))), full);

    Json badUrl = json;
    badUrl["resultingURL"] = moved.path();
    EXPECT_THROW(OperationReceipt::fromJson(badUrl), DecodeError);
    Json noOriginal = json;
    noOriginal.erase("original");
    EXPECT_THROW(OperationReceipt::fromJson(noOriginal), DecodeError);
}

} // namespace
} // namespace tollenvane
