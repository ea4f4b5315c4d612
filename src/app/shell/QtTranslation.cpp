#include "app/shell/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tollenvane {

QtTranslation::~QtTranslation()
{
    QCoreApplication::removeTranslator(&translator_);
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
    // Qt's texts are written in English: nothing to load for it.
    if (wanted == AppLanguage::en) {
        return true;
    }
    const std::string_view code = rawValue(wanted);
    const QString name = QStringLiteral("qtbase_") +
                         QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
    if (!translator_.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    QCoreApplication::installTranslator(&translator_);
    return true;
}

} // namespace tollenvane
