#include "core/access/FolderGrant.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(FolderGrant, JsonKeepsItsOrderLeavesOutAnAbsentPathAndRequiresTheRest)
{
    FolderGrant grant;
    grant.id = "0F8FAD5B-D9CB-469F-A165-70867728950E";
    grant.name = "Photos";
    grant.bookmark = std::string("TVBM1\0\xff", 7);
    grant.favorite = true;

    EXPECT_EQ(json::dump(grant.toJson()), R"({"id":"0F8FAD5B-D9CB-469F-A165-70867728950E",)"
                                          R"("name":"Photos","bookmark":"VFZCTTEA/w==",)"
                                          R"("favorite":true})");
    grant.lastKnownPath = "/home/someone/Photos";
    EXPECT_EQ(FolderGrant::fromJson(json::parse(json::dump(grant.toJson()))), grant);

    for (const char* key : {"id", "name", "bookmark", "favorite"}) {
        Json missing = grant.toJson();
        missing.erase(key);
        EXPECT_THROW(FolderGrant::fromJson(missing), DecodeError) << key;
    }
}

} // namespace
} // namespace tollenvane
