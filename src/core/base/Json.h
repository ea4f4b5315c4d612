#pragma once

#include "core/base/Date.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tollenvane {

// Keys are written in the order each record gives them.
using Json = nlohmann::ordered_json;

// A stored record that cannot be read back: a missing key, a wrong type, an unknown raw value.
class DecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // For a file read line by line: the line, counted from 1, that did not decode.
    DecodeError(const std::string& what, std::size_t line)
        : std::runtime_error(what)
        , line_(line)
    {}

    std::optional<std::size_t> line() const { return line_; }

private:
    std::optional<std::size_t> line_;
};

namespace json {

// Strict readers: a missing or null key, or a value of another type, throws DecodeError.
// Integers are exact: a fraction or an out-of-range number is refused, never rounded.
const Json& required(const Json& object, std::string_view key);
std::string string(const Json& object, std::string_view key);
bool boolean(const Json& object, std::string_view key);
std::int64_t int64(const Json& object, std::string_view key);
std::uint64_t uint64(const Json& object, std::string_view key);
// A signed count, size or span that cannot be below zero: a negative stored value means
// nothing and reads as 0.
std::int64_t nonNegativeInt64(const Json& object, std::string_view key);
double number(const Json& object, std::string_view key);
inline Date date(const Json& object, std::string_view key)
{
    return number(object, key);
}

// Optional readers: a missing or null key is absent; a present value must have the right type.
const Json* optional(const Json& object, std::string_view key);
std::optional<std::string> optionalString(const Json& object, std::string_view key);
std::optional<bool> optionalBoolean(const Json& object, std::string_view key);
std::optional<std::int64_t> optionalInt64(const Json& object, std::string_view key);
std::optional<std::uint64_t> optionalUInt64(const Json& object, std::string_view key);
std::optional<double> optionalNumber(const Json& object, std::string_view key);

// The same rules for a value already in hand.
std::string asString(const Json& value, std::string_view what);
bool asBoolean(const Json& value, std::string_view what);
std::int64_t asInt64(const Json& value, std::string_view what);
std::uint64_t asUInt64(const Json& value, std::string_view what);
double asNumber(const Json& value, std::string_view what);

// A string turned into a value by `parse` (a raw-value table, the UUID check, ...), which
// answers nothing for a text it refuses; that, like a missing key, throws DecodeError.
template <class Parse>
auto parsed(const Json& object, std::string_view key, Parse parse)
{
    auto value = parse(string(object, key));
    if (!value) {
        throw DecodeError(std::string(key) + ": unknown value");
    }
    return *std::move(value);
}

// The same for an optional key; nothing when it is missing or null.
template <class Parse>
auto optionalParsed(const Json& object, std::string_view key, Parse parse)
    -> std::optional<std::remove_cvref_t<decltype(*parse(std::string()))>>
{
    if (optional(object, key) == nullptr) {
        return std::nullopt;
    }
    return parsed(object, key, parse);
}

// The object itself must be a JSON object.
void requireObject(const Json& value, std::string_view what);

// A required array, and the same for a value in hand.
const Json& array(const Json& object, std::string_view key);
const Json& asArray(const Json& value, std::string_view what);
std::vector<std::string> stringList(const Json& value, std::string_view what);

// Records that write themselves with toJson(), as an array.
template <class Record>
Json arrayOf(const std::vector<Record>& records)
{
    Json list = Json::array();
    for (const Record& record : records) {
        list.push_back(record.toJson());
    }
    return list;
}

// An array whose every element decodes with Record::fromJson; one failure fails the list.
template <class Record>
std::vector<Record> listOf(const Json& value, std::string_view what)
{
    std::vector<Record> records;
    for (const Json& element : asArray(value, what)) {
        records.push_back(Record::fromJson(element));
    }
    return records;
}

template <class T>
void putOptional(Json& object, const char* key, const std::optional<T>& value)
{
    if (value) {
        object[key] = *value;
    }
}

// Parses a whole text; a syntax error, a NUL byte or a number out of range throws DecodeError.
Json parse(std::string_view text);

// Compact UTF-8 text; a string that is not valid UTF-8 throws instead of being altered.
std::string dump(const Json& value);

} // namespace json
} // namespace tollenvane
