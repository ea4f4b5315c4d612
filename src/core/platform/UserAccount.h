#pragma once

#include <optional>
#include <string>

namespace tollenvane {

// The account the program runs as, from the password database.
struct UserAccount {
    std::string name;
    std::string home;

    // Nothing when the database has no entry for the effective user (some containers).
    static std::optional<UserAccount> current();
};

} // namespace tollenvane
