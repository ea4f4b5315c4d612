#include "core/operations/FolderName.h"

namespace tollenvane {

using namespace std::string_view_literals;

std::optional<std::string_view> folderNameRefusal(std::string_view name)
{
    if (name.empty()) {
        return "Donnez un nom au dossier."sv;
    }
    if (name == "." || name == "..") {
        return "Un dossier ne peut pas s’appeler «\u00A0.\u00A0» ni «\u00A0..\u00A0»."sv;
    }
    if (name.find_first_of("/:\0"sv) != std::string_view::npos) {
        return "Un nom de dossier ne peut contenir ni «\u00A0/\u00A0» ni «\u00A0:\u00A0»."sv;
    }
    if (name.starts_with('.')) {
        return "Un nom de dossier ne peut pas commencer par un point."sv;
    }
    return std::nullopt;
}

} // namespace tollenvane
