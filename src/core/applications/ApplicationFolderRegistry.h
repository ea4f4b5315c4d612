#pragma once

#include "core/applications/ApplicationRegistry.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// Linux keeps no register of bundles: the first bundle with the identifier in the application
// folders, walked as the application scan walks them, is the one registered. The folders are
// walked once, on the first question, and the answers kept for the object's life.
class ApplicationFolderRegistry final : public ApplicationRegistry {
public:
    explicit ApplicationFolderRegistry(std::vector<std::string> roots);

    std::optional<std::string> locate(const std::string& bundleIdentifier,
                                      std::stop_token stop) const override;

private:
    void walk(const std::stop_token& stop) const;

    const std::vector<std::string> roots_;
    mutable std::mutex lock_;
    mutable std::optional<std::map<std::string, std::string, std::less<>>> bundles_;
};

} // namespace tollenvane
