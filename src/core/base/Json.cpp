#include "core/base/Json.h"

#include <algorithm>
#include <limits>

namespace tollenvane::json {

namespace {

[[noreturn]] void fail(std::string_view what, std::string_view problem)
{
    throw DecodeError(std::string(what) + ": " + std::string(problem));
}

} // namespace

void requireObject(const Json& value, std::string_view what)
{
    if (!value.is_object()) {
        fail(what, "not an object");
    }
}

const Json& asArray(const Json& value, std::string_view what)
{
    if (!value.is_array()) {
        fail(what, "not an array");
    }
    return value;
}

const Json& array(const Json& object, std::string_view key)
{
    return asArray(required(object, key), key);
}

std::vector<std::string> stringList(const Json& value, std::string_view what)
{
    std::vector<std::string> strings;
    for (const Json& element : asArray(value, what)) {
        strings.push_back(asString(element, what));
    }
    return strings;
}

const Json* optional(const Json& object, std::string_view key)
{
    requireObject(object, key);
    const auto found = object.find(key);
    if (found == object.end() || found->is_null()) {
        return nullptr;
    }
    return &*found;
}

const Json& required(const Json& object, std::string_view key)
{
    const Json* value = optional(object, key);
    if (value == nullptr) {
        fail(key, "missing");
    }
    return *value;
}

std::string asString(const Json& value, std::string_view what)
{
    if (!value.is_string()) {
        fail(what, "not a string");
    }
    return value.get<std::string>();
}

bool asBoolean(const Json& value, std::string_view what)
{
    if (!value.is_boolean()) {
        fail(what, "not a Boolean");
    }
    return value.get<bool>();
}

std::int64_t asInt64(const Json& value, std::string_view what)
{
    if (value.is_number_integer() && !value.is_number_unsigned()) {
        return value.get<std::int64_t>();
    }
    if (value.is_number_unsigned()) {
        const auto unsignedValue = value.get<std::uint64_t>();
        if (unsignedValue <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return static_cast<std::int64_t>(unsignedValue);
        }
        fail(what, "integer out of range");
    }
    fail(what, "not an integer");
}

std::uint64_t asUInt64(const Json& value, std::string_view what)
{
    if (value.is_number_unsigned()) {
        return value.get<std::uint64_t>();
    }
    if (value.is_number_integer()) {
        const auto signedValue = value.get<std::int64_t>();
        if (signedValue >= 0) {
            return static_cast<std::uint64_t>(signedValue);
        }
        fail(what, "negative integer");
    }
    fail(what, "not an integer");
}

double asNumber(const Json& value, std::string_view what)
{
    if (!value.is_number()) {
        fail(what, "not a number");
    }
    return value.get<double>();
}

std::string string(const Json& object, std::string_view key)
{
    return asString(required(object, key), key);
}

bool boolean(const Json& object, std::string_view key)
{
    return asBoolean(required(object, key), key);
}

std::int64_t int64(const Json& object, std::string_view key)
{
    return asInt64(required(object, key), key);
}

std::uint64_t uint64(const Json& object, std::string_view key)
{
    return asUInt64(required(object, key), key);
}

std::int64_t nonNegativeInt64(const Json& object, std::string_view key)
{
    return std::max(int64(object, key), std::int64_t{0});
}

double number(const Json& object, std::string_view key)
{
    return asNumber(required(object, key), key);
}

std::optional<std::string> optionalString(const Json& object, std::string_view key)
{
    const Json* value = optional(object, key);
    return value ? std::optional(asString(*value, key)) : std::nullopt;
}

std::optional<bool> optionalBoolean(const Json& object, std::string_view key)
{
    const Json* value = optional(object, key);
    return value ? std::optional(asBoolean(*value, key)) : std::nullopt;
}

std::optional<std::int64_t> optionalInt64(const Json& object, std::string_view key)
{
    const Json* value = optional(object, key);
    return value ? std::optional(asInt64(*value, key)) : std::nullopt;
}

std::optional<std::uint64_t> optionalUInt64(const Json& object, std::string_view key)
{
    const Json* value = optional(object, key);
    return value ? std::optional(asUInt64(*value, key)) : std::nullopt;
}

std::optional<double> optionalNumber(const Json& object, std::string_view key)
{
    const Json* value = optional(object, key);
    return value ? std::optional(asNumber(*value, key)) : std::nullopt;
}

Json parse(std::string_view text)
{
    // The parser takes a NUL byte for the end of the text and would accept whatever precedes
    // it, such as a line whose tail is zeros.
    if (text.find('\0') != std::string_view::npos) {
        throw DecodeError("NUL byte in JSON text");
    }
    try {
        return Json::parse(text);
    } catch (const Json::exception& error) {
        // Not only syntax: a number too large for a double (1e400) is an out_of_range.
        throw DecodeError(error.what());
    }
}

std::string dump(const Json& value)
{
    return value.dump(-1, ' ', false, Json::error_handler_t::strict);
}

} // namespace tollenvane::json
