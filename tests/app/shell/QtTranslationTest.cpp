#include "app/shell/QtTranslation.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
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

} // namespace
} // namespace tollenvane
