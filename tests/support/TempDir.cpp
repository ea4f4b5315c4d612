#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tollenvane::test {

namespace fs = std::filesystem;

namespace {

std::string temporaryRoot()
{
    const char* root = std::getenv("TMPDIR");
    return root != nullptr && *root != '\0' ? root : ".";
}

} // namespace

TempDir::TempDir()
    : TempDir(temporaryRoot())
{}

TempDir::TempDir(const std::string& parent)
{
    std::string pattern = parent + "/tv-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    // The canonical form, so that tests compare against what the code under test resolves.
    path_ = fs::canonical(pattern).string();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::operator/(std::string_view relative) const
{
    return path_ + "/" + std::string(relative);
}

std::string TempDir::write(std::string_view relative, std::string_view content) const
{
    const std::string full = *this / relative;
    fs::create_directories(fs::path(full).parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + full);
    }
    return full;
}

std::string TempDir::makeFolder(std::string_view relative) const
{
    const std::string full = *this / relative;
    fs::create_directories(full);
    return full;
}

std::string TempDir::link(const std::string& target, std::string_view relative) const
{
    const fs::path full = *this / relative;
    fs::create_directories(full.parent_path());
    fs::create_symlink(target, full);
    return full;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

unsigned permissions(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        throw std::runtime_error("lstat failed on " + path);
    }
    return status.st_mode & 07777;
}

void setModified(const std::string& path, long long seconds, long nanoseconds)
{
    const struct timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        throw std::runtime_error("utimensat failed on " + path);
    }
}

} // namespace tollenvane::test
