#include "core/base/Uuid.h"

#include <uuid/uuid.h>

#include <array>
#include <cctype>

namespace tollenvane::uuid {

std::string make()
{
    uuid_t value;
    uuid_generate_random(value);
    std::array<char, 37> text{};
    uuid_unparse_upper(value, text.data());
    return text.data();
}

std::optional<std::string> canonical(std::string_view text)
{
    if (text.size() != 36) {
        return std::nullopt;
    }
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
        const auto c = static_cast<unsigned char>(upper[i]);
        if (hyphenPlace ? c != '-' : std::isxdigit(c) == 0) {
            return std::nullopt;
        }
        upper[i] = static_cast<char>(std::toupper(c));
    }
    return upper;
}

} // namespace tollenvane::uuid
