#include "support/ScratchHome.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

namespace tollenvane::test {

namespace {

std::string makeScratchFolder()
{
    const char* root = std::getenv("TMPDIR");
    std::string pattern =
        std::string(root != nullptr && *root != '\0' ? root : ".") + "/home-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return std::filesystem::canonical(pattern).string();
}

} // namespace

ScratchHome::ScratchHome()
    : path_(makeScratchFolder())
{
    ::setenv("HOME", path_.c_str(), 1);
    for (const auto& [variable, folder] :
         {std::pair{"XDG_DATA_HOME", "/.local/share"}, std::pair{"XDG_CONFIG_HOME", "/.config"},
          std::pair{"XDG_CACHE_HOME", "/.cache"}, std::pair{"XDG_STATE_HOME", "/.local/state"},
          std::pair{"XDG_RUNTIME_DIR", "/.run"}, std::pair{"TMPDIR", "/tmp"}}) {
        const std::string full = path_ + folder;
        std::filesystem::create_directories(full);
        ::setenv(variable, full.c_str(), 1);
    }
    // The runtime folder must be the owner's alone, or its users complain and look elsewhere.
    std::filesystem::permissions(path_ + "/.run", std::filesystem::perms::owner_all);
}

ScratchHome::~ScratchHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace tollenvane::test
