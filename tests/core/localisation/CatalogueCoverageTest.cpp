#include "core/localisation/Localization.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

// Files whose literals are names the system knows (folders on disk, desktop-entry and D-Bus
// names, failed calls, unit symbols, each language's own name, the message shown before any
// language is known), never catalogue keys.
const std::set<std::string> namesOnly{
    "AppLanguage.cpp",  "AppearancePortal.cpp", "ApplicationIconLookup.cpp",
    "DisplayCheck.cpp", "FilterMatcher.cpp",    "FolderAccess.cpp",
    "Formatting.cpp",   "FreedesktopTrash.cpp", "Sha256.cpp",
};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The text of a C++ literal's body: \n, \t, \", \\ and \uXXXX decoded.
std::string unescaped(std::string_view body)
{
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '\\' || i + 1 == body.size()) {
            out += body[i];
            continue;
        }
        const char escape = body[++i];
        if (escape == 'u' && i + 4 < body.size()) {
            appendUtf8(out, static_cast<char32_t>(
                                std::stoul(std::string(body.substr(i + 1, 4)), nullptr, 16)));
            i += 4;
        } else {
            out += escape == 'n' ? '\n' : escape == 't' ? '\t' : escape;
        }
    }
    return out;
}

// A run of adjacent string literals, with the code just before it and the character after it.
struct Literal {
    std::string text;
    std::string before;
    char after = 0;
};

// The string literals of C++ source, comments and character literals skipped.
std::vector<Literal> literals(const std::string& source)
{
    std::vector<Literal> found;
    std::string code; // the source with comments removed and literals emptied
    std::size_t i = 0;
    const auto skipSpace = [&] {
        while (i < source.size() && std::isspace(static_cast<unsigned char>(source[i]))) {
            ++i;
        }
    };
    while (i < source.size()) {
        if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i);
        } else if (source.compare(i, 2, "/*") == 0) {
            i = source.find("*/", i) + 2;
        } else if (source[i] == '\'' &&
                   (code.empty() || !std::isdigit(static_cast<unsigned char>(code.back())))) {
            const std::size_t end = source.find('\'', i + (source[i + 1] == '\\' ? 3 : 2));
            code += "' '";
            i = end + 1;
        } else if (source[i] == '"') {
            Literal literal{.text = {},
                            .before =
                                code.substr(code.size() - std::min<std::size_t>(code.size(), 120))};
            while (i < source.size() && source[i] == '"') {
                std::size_t end = i + 1;
                while (source[end] != '"') {
                    end += source[end] == '\\' ? 2 : 1;
                }
                literal.text += unescaped(std::string_view(source).substr(i + 1, end - i - 1));
                i = end + 1;
                skipSpace();
            }
            literal.after = i < source.size() ? source[i] : 0;
            code += "\"\"";
            found.push_back(std::move(literal));
            continue;
        } else {
            code += source[i++];
            continue;
        }
        if (i == std::string::npos) {
            break;
        }
    }
    return found;
}

// A literal given to a lookup helper, `localized("…")`, `L("…", n)`, `text(language, "…")`, or
// one of the two forms given to `plural(n, "…", "…")`.
bool isLookedUp(const Literal& literal)
{
    static const std::regex call(
        R"(\b(localized|L|text|qtext|translation|raiseAlert|make|centred)\s*\(\s*([\w:]+\s*,\s*)?$)");
    static const std::regex plural(R"(\bplural\s*\([^;{}]*,\s*$)");
    return std::regex_search(literal.before, call) || std::regex_search(literal.before, plural);
}

// A capital (ASCII or Latin-1) or "{0}" first, then lower-case letters or several words; no
// identifier, path, format or alphabet.
bool readsAsText(std::string_view text)
{
    if (text.starts_with("{0}")) {
        return true;
    }
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const bool capital = !text.empty() && (std::isupper(byte(0)) != 0 ||
                                           (text.size() > 1 && byte(0) == 0xC3 && byte(1) < 0x9F));
    static const std::regex code(R"([a-z][A-Z]|\.\w|[/%$=_\[])");
    const bool oneLongToken = text.size() > 24 && text.find(' ') == std::string_view::npos;
    return capital && !oneLongToken &&
           std::any_of(text.begin(), text.end(),
                       [](char c) {
                           return std::islower(static_cast<unsigned char>(c)) != 0 || c == ' ';
                       }) &&
           !std::regex_search(text.begin(), text.end(), code);
}

// A literal that reads as text in a table row, an assignment or a return.
bool isTableText(const Literal& literal)
{
    static const std::regex place(R"((\{|,|=|\breturn)\s*$)");
    return std::string_view(",});").find(literal.after) != std::string_view::npos &&
           std::regex_search(literal.before, place) && readsAsText(literal.text);
}

// Every key the code looks up or keeps in a table of keys, with the first file that uses it.
std::map<std::string, std::string> keysInSource()
{
    std::map<std::string, std::string> keys;
    for (const auto& entry : fs::recursive_directory_iterator(TOLLENVANE_SOURCE_DIR "/src")) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h") ||
            namesOnly.contains(path.filename().string())) {
            continue;
        }
        for (const Literal& literal : literals(readFile(path))) {
            if (isLookedUp(literal) || isTableText(literal)) {
                keys.emplace(literal.text, path.filename().string());
            }
        }
    }
    return keys;
}

TEST(CatalogueCoverage, EveryKeyTheCodeUsesHasItsFiveLanguages)
{
    const std::map<std::string, std::string> keys = keysInSource();
    ASSERT_GT(keys.size(), 300u) << "the scan of the sources found too few keys";
    for (const char* known : {"Une place pour ce fichier.", "Bureau", "Captures d’écran",
                              "{0} fichier trié. Un peu plus de clarté."}) {
        EXPECT_TRUE(keys.contains(known)) << known;
    }
    const Catalogue& catalogue = Localization::catalogue();
    for (const auto& [key, file] : keys) {
        for (const std::string_view code : {"en", "es", "de", "it"}) {
            EXPECT_TRUE(catalogue.lookup(key, code).has_value())
                << file << ": \"" << key << "\" has no " << code << " text";
        }
    }
}

} // namespace
} // namespace tollenvane
