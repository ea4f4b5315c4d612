#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// The catalogue's text for `key` in the language in force, with its values filled in.
QString localized(std::string_view key, const std::vector<std::string>& values = {});

// A text the core made (a looked-up sentence with its values, a formatted size), as Qt shows it.
inline QString coreText(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace tollenvane
