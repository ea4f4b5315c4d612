#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tollenvane::test {

// A fresh folder under $TMPDIR, removed with everything in it when the test ends.
class TempDir {
public:
    TempDir();
    // Below another folder, such as a refused one.
    explicit TempDir(const std::string& parent);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view relative) const;

    // Creates the parent folders as needed; returns the full path.
    std::string write(std::string_view relative, std::string_view content = {}) const;
    std::string makeFolder(std::string_view relative) const;
    // A symbolic link to `target`, which is taken as written; creates the parent folders.
    std::string link(const std::string& target, std::string_view relative) const;

private:
    std::string path_;
};

std::string readFile(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> entries(const std::string& folder);
// The permission bits of `path` itself, not of what a link points to.
unsigned permissions(const std::string& path);
void setModified(const std::string& path, long long seconds, long nanoseconds = 0);

} // namespace tollenvane::test
