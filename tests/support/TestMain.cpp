// Gives each test process its own HOME and XDG folders, so that no test reads or writes the
// user's own data and tests never see each other's files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string makeScratchHome()
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

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const std::string home = makeScratchHome();
    ::setenv("HOME", home.c_str(), 1);
    for (const auto& [variable, folder] :
         {std::pair{"XDG_DATA_HOME", "/.local/share"}, std::pair{"XDG_CONFIG_HOME", "/.config"},
          std::pair{"XDG_CACHE_HOME", "/.cache"}, std::pair{"XDG_STATE_HOME", "/.local/state"}}) {
        const std::string path = home + folder;
        std::filesystem::create_directories(path);
        ::setenv(variable, path.c_str(), 1);
    }
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return result;
}
