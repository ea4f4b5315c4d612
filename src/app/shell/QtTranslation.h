#pragma once

#include "core/localisation/AppLanguage.h"

#include <QTranslator>
#include <optional>

namespace tollenvane {

// Qt's own texts (the stock dialogs' labels and buttons) in the application's language, from the
// translations the distribution installs beside Qt.
class QtTranslation final {
public:
    QtTranslation() = default;
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    // Installs the translation of `language` as resolved now, in place of the previous one; Qt
    // speaks English when no translation is installed for it. False when the file is missing.
    bool use(AppLanguage language);

private:
    QTranslator translator_;
    std::optional<AppLanguage> loaded_;
};

} // namespace tollenvane
