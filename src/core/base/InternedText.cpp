#include "core/base/InternedText.h"

#include <mutex>
#include <unordered_set>

namespace tollenvane {

namespace {

// Strings in an unordered_set keep their address for as long as the set lives, which is the
// whole process.
const std::string* intern(std::string_view text)
{
    // A scan asks for the same text millions of times in a row: answer those without the lock.
    thread_local const std::string* lastHit = nullptr;
    if (lastHit != nullptr && *lastHit == text) {
        return lastHit;
    }
    static std::mutex lock;
    static std::unordered_set<std::string> texts;
    const std::lock_guard guard(lock);
    lastHit = &*texts.emplace(text).first;
    return lastHit;
}

} // namespace

InternedText::InternedText(std::string_view text)
    : text_(intern(text))
{}

InternedText::InternedText(const std::optional<std::string>& text)
    : text_(text ? intern(*text) : nullptr)
{}

InternedText::operator std::optional<std::string>() const
{
    return text_ ? std::optional<std::string>(*text_) : std::nullopt;
}

} // namespace tollenvane
