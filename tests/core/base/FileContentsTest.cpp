#include "core/base/FileContents.h"

#include "support/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace tollenvane {
namespace {

TEST(FileContents, ReadsARegularFileUpToItsLimitAndNothingElse)
{
    const test::TempDir dir;
    const std::string file = dir.write("state.json", "12345");
    EXPECT_EQ(readRegularFile(file, "state", 5), "12345");
    EXPECT_EQ(readRegularFile(dir / "missing", "state"), std::nullopt);
    EXPECT_EQ(test::platformErrorOf([&] { readRegularFile(file, "state", 4); }), EFBIG);
    EXPECT_EQ(test::platformErrorOf([&] { readRegularFile(dir.path(), "state"); }), EINVAL);

    const std::string link = dir / "link.json";
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    EXPECT_EQ(readRegularFile(link, "state"), "12345");
    EXPECT_EQ(test::platformErrorOf([&] { readRegularFile(link, "state", 5, O_NOFOLLOW); }), ELOOP);
}

} // namespace
} // namespace tollenvane
