#include "app/shell/QtTranslation.h"

#include "app/design/LocalizedText.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>

namespace tollenvane {
namespace {

QString lookIn()
{
    return QCoreApplication::translate("QFileDialog", "Look in:");
}

QString cancelText()
{
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    return buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&');
}

TEST(QtTranslation, StockDialogsSpeakTheChosenLanguageAndFollowItsChanges)
{
    {
        QtTranslation translation;
        ASSERT_TRUE(translation.use(AppLanguage::de)) << "qt6-translations-l10n is not installed";
        EXPECT_EQ(cancelText(), QStringLiteral("Abbrechen"));
        EXPECT_TRUE(translation.use(AppLanguage::system)); // French, the tests' system language
        EXPECT_EQ(lookIn(), QStringLiteral("Voir dans :"));
        EXPECT_EQ(cancelText(), QStringLiteral("Annuler"));
        EXPECT_TRUE(translation.use(AppLanguage::en));
        EXPECT_EQ(lookIn(), QStringLiteral("Look in:"));
        EXPECT_TRUE(translation.use(AppLanguage::it));
    }
    EXPECT_EQ(cancelText(), QStringLiteral("Cancel")) << "the translation goes with its owner";
}

// The deck, the tutorial and the settings name a key as the menus do in the same language.
TEST(QtTranslation, TheCatalogueNamesKeysAsTheMenusDo)
{
    for (const AppLanguage language :
         {AppLanguage::fr, AppLanguage::en, AppLanguage::es, AppLanguage::de, AppLanguage::it}) {
        SCOPED_TRACE(rawValue(language));
        const test::ScopedLanguage spoken(language);
        QtTranslation translation;
        ASSERT_TRUE(translation.use(language));
        for (const auto& [key, combination] :
             {std::pair{"Ctrl+Z", QKeyCombination(Qt::CTRL, Qt::Key_Z)},
              std::pair{"Ctrl+N", QKeyCombination(Qt::CTRL, Qt::Key_N)},
              std::pair{"Ctrl+O", QKeyCombination(Qt::CTRL, Qt::Key_O)},
              std::pair{"Espace", QKeyCombination(Qt::Key_Space)}}) {
            EXPECT_EQ(localized(key).toStdString(),
                      QKeySequence(combination).toString(QKeySequence::NativeText).toStdString());
        }
    }
}

} // namespace
} // namespace tollenvane
