#include "core/base/FileUrl.h"

#include "core/base/HexDigit.h"
#include "core/base/Path.h"

namespace tollenvane {

namespace {

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Nothing when a "%" is not followed by two hexadecimal digits.
std::optional<std::string> percentDecode(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = hexDigitValue(text[i + 1]);
        const int low = hexDigitValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}

} // namespace

std::string percentEncodePath(std::string_view path)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(byte) || c == '/') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += digits[byte >> 4];
            encoded += digits[byte & 0x0f];
        }
    }
    return encoded;
}

std::string fileUrl(std::string_view path)
{
    return "file://" + percentEncodePath(path);
}

std::optional<std::string> pathFromFileUrl(std::string_view url)
{
    constexpr std::string_view scheme = "file://";
    if (!url.starts_with(scheme)) {
        return std::nullopt;
    }
    url.remove_prefix(scheme.size());
    if (url.starts_with("localhost/")) {
        url.remove_prefix(std::string_view("localhost").size());
    }
    if (!url.starts_with('/')) {
        return std::nullopt;
    }
    auto decoded = percentDecode(url);
    if (!decoded || decoded->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return path::standardised(*decoded);
}

} // namespace tollenvane
