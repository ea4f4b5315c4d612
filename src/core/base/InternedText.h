#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// An optional text of which every equal copy shares one immortal string: eight bytes wide,
// compared by address. Meant for the handful of texts that millions of values repeat (volume
// UUIDs), never for texts that vary without bound.
class InternedText {
public:
    InternedText() = default;
    explicit InternedText(std::string_view text);
    InternedText(const std::optional<std::string>& text);

    explicit operator bool() const { return text_ != nullptr; }
    const std::string& operator*() const { return *text_; }
    const std::string* operator->() const { return text_; }
    operator std::optional<std::string>() const;

    bool operator==(const InternedText&) const = default;

private:
    const std::string* text_ = nullptr;
};

} // namespace tollenvane
