#include "core/duplicates/VerifiedFile.h"

#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/duplicates/FifoWatchdog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace tollenvane {
namespace {

// The error case of opening `path` as the file of `expected`, or nothing when it opens.
std::optional<FileError::Case> refusal(const std::string& path, const std::string& expected)
{
    const FileStatus status = FileStatus::read(expected);
    try {
        VerifiedFile::open(path, {status.device, status.inode}, VerifiedFile::Access::random);
    } catch (const FileError& error) {
        return error.errorCase();
    }
    return std::nullopt;
}

TEST(VerifiedFile, OpensOnlyTheExpectedRegularFileAndNeverWaits)
{
    const test::TempDir dir;
    const std::string expected = dir.write("expected", "x");
    const std::string other = dir.write("other", "x");
    std::filesystem::create_symlink(expected, dir / "link");
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    EXPECT_EQ(refusal(expected, expected), std::nullopt);
    EXPECT_EQ(refusal(other, expected), FileError::changed);
    EXPECT_EQ(refusal(dir / "link", expected), FileError::unsafeSource);
    EXPECT_EQ(refusal(dir / "none", expected), FileError::missing);
    EXPECT_EQ(refusal(dir.path(), dir.path()), FileError::unsupported);
    // No writer ever comes to the FIFO: an open or a read that waited for one would not return.
    test::expectNoHangOn(fifo, [&] {
        EXPECT_EQ(refusal(fifo, expected), FileError::changed);
        EXPECT_EQ(refusal(fifo, fifo), FileError::unsupported);
    });
}

} // namespace
} // namespace tollenvane
