#pragma once

#include <string>
#include <string_view>

namespace tollenvane {

// A search text prepared once for testing many texts: the rule of
// localizedCaseInsensitiveContains with the folding of the search done up front.
class TextNeedle {
public:
    explicit TextNeedle(std::string_view search);

    bool empty() const { return folded_.empty(); }
    bool foundIn(std::string_view text) const;

private:
    bool ascii_ = true;
    std::string folded_;
};

// Case-insensitive, accent-sensitive containment in which a precomposed letter and its
// decomposed form are the same character (NFC and case folding on both sides).
bool localizedCaseInsensitiveContains(std::string_view text, std::string_view search);

// Lower-cased (locale-independent) then NFC, for matching names against fixed texts.
std::string lowercasedNfc(std::string_view text);

} // namespace tollenvane
