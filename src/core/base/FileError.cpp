#include "core/base/FileError.h"

namespace tollenvane {

namespace {

constexpr std::array<std::string_view, FileError::caseCount> messageKeys{
    "Ce fichier ne peut pas être traité.",
    "Le fichier est introuvable. Il a peut-être été déplacé ou le disque a été débranché.",
    "Le fichier a changé depuis le scan. Relancez l’analyse avant de le déplacer.",
    "Ce fichier en ligne n’est pas téléchargé. Téléchargez-le dans le gestionnaire de fichiers, "
    "puis relancez l’analyse.",
    "Un fichier existe déjà à cet emplacement. Aucun fichier n’a été remplacé.",
    "Le dossier de destination est inaccessible ou identique au dossier actuel.",
    "Choisissez un dossier personnel précis. Les dossiers système, bibliothèques et Corbeilles "
    "sont exclus.",
    "L’accès à ce dossier est perdu. Autorisez-le à nouveau depuis Sources.",
    "Cette application est ouverte. Quittez-la avant de la mettre à la Corbeille.",
    "Cette application système est protégée et ne peut pas être triée.",
};

} // namespace

std::string_view FileError::messageKey(Case errorCase) noexcept
{
    return messageKeys[static_cast<std::size_t>(errorCase)];
}

const char* FileError::what() const noexcept
{
    // Every key is a literal, so its view is null-terminated.
    return messageKey().data();
}

} // namespace tollenvane
