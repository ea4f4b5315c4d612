#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// The problems met by one scan: the first ones are kept to be shown, all of them are counted.
// Callable from any thread.
class ScanErrors {
public:
    static constexpr std::size_t keptLimit = 30;

    // "<name> : <description>", the form of every problem text.
    static std::string text(std::string_view name, std::string_view description);
    // The same with the error's description (errorDescription in localisation/ErrorText.h).
    static std::string text(std::string_view name, const std::exception& error);
    // The closing line for the `count` problems beyond those shown.
    static std::string skippedText(std::int64_t count);

    void add(std::string text);
    // The next kept text not yet handed out, in the order they were added.
    std::optional<std::string> next();
    // Every text ever added, kept or not.
    std::int64_t count() const;

private:
    mutable std::mutex lock_;
    std::vector<std::string> messages_;
    std::int64_t count_ = 0;
    std::size_t cursor_ = 0;
};

} // namespace tollenvane
