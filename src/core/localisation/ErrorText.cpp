#include "core/localisation/ErrorText.h"

#include "core/base/Json.h"
#include "core/localisation/Localization.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

namespace tollenvane {

namespace {

// The catalogue key of the errors a user meets often enough to read them in their language.
std::optional<std::string_view> commonErrorKey(int code)
{
    switch (code) {
    case EACCES:
    case EPERM:
        return "Accès refusé.";
    case ENOENT:
        return "Élément introuvable.";
    case ENAMETOOLONG:
        return "Nom trop long.";
    case EMFILE:
    case ENFILE:
        return "Trop de fichiers ouverts.";
    case EIO:
        return "Erreur d’entrée-sortie.";
    default:
        return std::nullopt;
    }
}

} // namespace

std::string errorDescription(const FileError& error)
{
    return Localization::text(error.messageKey());
}

std::string errorDescription(const PlatformError& error)
{
    if (const std::optional<std::string_view> key = commonErrorKey(error.code())) {
        return Localization::text(*key);
    }
    return std::strerror(error.code());
}

std::string errorDescription(const std::exception& error)
{
    if (const auto* refusal = dynamic_cast<const FileError*>(&error)) {
        return errorDescription(*refusal);
    }
    if (const auto* failure = dynamic_cast<const PlatformError*>(&error)) {
        return errorDescription(*failure);
    }
    // The parser's own words name its internals; the user needs only to know the file is damaged.
    if (const auto* damage = dynamic_cast<const DecodeError*>(&error)) {
        if (const std::optional<std::size_t> line = damage->line()) {
            return Localization::text("Le contenu du fichier est illisible (ligne {0}).",
                                      {std::to_string(*line)});
        }
        return Localization::text("Le contenu du fichier est illisible.");
    }
    return error.what();
}

} // namespace tollenvane
