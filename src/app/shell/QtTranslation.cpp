#include "app/shell/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tollenvane {

QtTranslation::~QtTranslation()
{
    QCoreApplication::removeTranslator(&translator_);
    QLocale::setDefault(previousLocale_);
}

bool QtTranslation::use(AppLanguage language)
{
    const AppLanguage wanted = resolved(language);
    if (wanted == loaded_) {
        return true;
    }
    QCoreApplication::removeTranslator(&translator_);
    // Tried once per language: a missing file leaves Qt in English until the language changes.
    loaded_ = wanted;
    const std::string_view raw = rawValue(wanted);
    const QString code = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    // The stock dialogs write dates and numbers as the chosen language does.
    QLocale::setDefault(QLocale(code));
    // Qt's texts are written in English: nothing to load for it.
    if (wanted == AppLanguage::en) {
        return true;
    }
    const QString name = QStringLiteral("qtbase_") + code;
    if (!translator_.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(&translator_);
    return true;
}

} // namespace tollenvane
