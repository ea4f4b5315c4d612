#pragma once

#include "core/localisation/AppLanguage.h"

#include <QLocale>
#include <QTranslator>
#include <optional>

namespace tollenvane {

// Qt's own texts and formats in the application's language: the stock dialogs' labels and
// buttons from the translations the distribution installs beside Qt, and the dates and numbers
// of Qt's default locale.
class QtTranslation final {
public:
    QtTranslation() = default;
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Installs the translation and the locale of `language` as resolved now, in place of the
    // previous ones; Qt speaks English when no translation is installed for it. False when the
    // file is missing.
    bool use(AppLanguage language);

private:
    QTranslator translator_;
    std::optional<AppLanguage> loaded_;
    // What Qt formatted with before, put back when the translation goes.
    QLocale previousLocale_;
};

} // namespace tollenvane
