#include "core/platform/UserAccount.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tollenvane {

std::optional<UserAccount> UserAccount::current()
{
    // Entries can be long (NSS modules): grow the buffer until it fits.
    for (std::size_t size = 16384; size <= (1u << 20); size *= 2) {
        std::vector<char> buffer(size);
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE) {
            continue;
        }
        if (error != 0 || found == nullptr) {
            return std::nullopt;
        }
        return UserAccount{found->pw_name != nullptr ? found->pw_name : "",
                           found->pw_dir != nullptr ? found->pw_dir : ""};
    }
    return std::nullopt;
}

} // namespace tollenvane
