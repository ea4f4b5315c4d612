#include "core/localisation/ErrorText.h"

#include "core/base/Json.h"
#include "core/localisation/Localization.h"
#include "core/platform/FreedesktopTrash.h"

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
    case EROFS:
        return "Le disque est en lecture seule.";
    case ENOSPC:
    case EDQUOT:
        return "Le disque est plein.";
    case ENODEV:
    case ENXIO:
        return "Le disque n’est plus disponible.";
    default:
        return std::nullopt;
    }
}

// The same errors when the trash refused an item: the person needs to know the item stayed.
std::optional<std::string_view> trashErrorKey(int code)
{
    switch (code) {
    case EROFS:
        return "Ce disque est en lecture seule : aucune Corbeille ne peut y être créée. Le "
               "fichier reste à sa place.";
    case ENOSPC:
    case EDQUOT:
        return "Le disque est plein : la Corbeille ne peut pas recevoir ce fichier. Le fichier "
               "reste à sa place.";
    case ENODEV:
    case ENXIO:
        return "Le disque n’est plus disponible : aucune Corbeille ne peut y être utilisée. Le "
               "fichier reste à sa place.";
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
    std::optional<std::string_view> key;
    if (error.operation() == FreedesktopTrash::operation) {
        key = trashErrorKey(error.code());
    }
    if (!key) {
        key = commonErrorKey(error.code());
    }
    return key ? Localization::text(*key) : std::strerror(error.code());
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
