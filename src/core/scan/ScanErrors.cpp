#include "core/scan/ScanErrors.h"

#include "core/localisation/ErrorText.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <utility>

namespace tollenvane {

std::string ScanErrors::text(std::string_view name, std::string_view description)
{
    std::string result;
    result.reserve(name.size() + 3 + description.size());
    result.append(name).append(" : ").append(description);
    return result;
}

std::string ScanErrors::text(std::string_view name, const std::exception& error)
{
    return text(name, errorDescription(error));
}

std::string ScanErrors::skippedText(std::int64_t count)
{
    return L(plural(count, "{0} autre fichier inaccessible a été ignoré.",
                    "{0} autres fichiers inaccessibles ont été ignorés."),
             localizedCount(count));
}

void ScanErrors::add(std::string text)
{
    const std::scoped_lock guard(lock_);
    ++count_;
    if (messages_.size() < keptLimit) {
        messages_.push_back(std::move(text));
    }
}

std::optional<std::string> ScanErrors::next()
{
    const std::scoped_lock guard(lock_);
    if (cursor_ == messages_.size()) {
        return std::nullopt;
    }
    // A text goes out once, so it can be moved out.
    return std::move(messages_[cursor_++]);
}

std::int64_t ScanErrors::count() const
{
    const std::scoped_lock guard(lock_);
    return count_;
}

} // namespace tollenvane
