#include "core/operations/FolderName.h"

#include <gtest/gtest.h>

#include <string>

namespace tollenvane {
namespace {

// Each refusal names its own reason, so that the user reads why, not that the destination is
// out of reach; "." and ".." are told apart from hidden names.
TEST(FolderName, EachRefusedNameSaysWhy)
{
    const std::string separators =
        "Un nom de dossier ne peut contenir ni «\u00A0/\u00A0» ni «\u00A0:\u00A0».";
    const std::string dots =
        "Un dossier ne peut pas s’appeler «\u00A0.\u00A0» ni «\u00A0..\u00A0».";
    for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
             {"", "Donnez un nom au dossier."},
             {".", dots},
             {"..", dots},
             {"../escaped", separators},
             {"a/b", separators},
             {"/", separators},
             {"a:b", separators},
             {std::string("a\0b", 3), separators},
             {".cache", "Un nom de dossier ne peut pas commencer par un point."},
             {"...", "Un nom de dossier ne peut pas commencer par un point."},
         }) {
        EXPECT_EQ(folderNameRefusal(name), reason) << name;
    }
    for (const std::string name : {"Tri", "Captures utiles", "a.b", "a..", "Été 2024", " x "}) {
        EXPECT_EQ(folderNameRefusal(name), std::nullopt) << name;
    }
}

} // namespace
} // namespace tollenvane
