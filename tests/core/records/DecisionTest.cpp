#include "core/records/Decision.h"

#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"
#include "core/localisation/Localization.h"
#include "core/records/FileFilter.h"
#include "core/records/FileKind.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(Vocabularies, RawValuesRoundTripAndAreComparedExactly)
{
    for (const Decision decision : allDecisions) {
        EXPECT_EQ(decisionFromRaw(rawValue(decision)), decision);
    }
    for (const FileKind kind : allFileKinds) {
        EXPECT_EQ(fileKindFromRaw(rawValue(kind)), kind);
    }
    for (const FileFilter filter : allFileFilters) {
        EXPECT_EQ(fileFilterFromRaw(rawValue(filter)), filter);
    }
    EXPECT_EQ(decisionFromRaw("Keep"), std::nullopt);
    EXPECT_EQ(decisionFromRaw("keep "), std::nullopt);
    EXPECT_EQ(fileKindFromRaw("Image"), std::nullopt);
    EXPECT_EQ(rawValue(FileFilter::screenshots), "screenshots");
    EXPECT_EQ(rawValue(Decision::later), "later");
}

TEST(Vocabularies, FileErrorsAndLabelsAreLookedUpInTheCurrentLanguage)
{
    const test::ScopedLanguage french(AppLanguage::fr);
    const FileError offline(FileError::offline);
    EXPECT_EQ(errorDescription(offline), offline.messageKey());
    EXPECT_EQ(errorDescription(FileError::changed),
              "Le fichier a changé depuis le scan. Relancez l\u2019analyse avant de le déplacer.");
    EXPECT_EQ(FileError(FileError::missing), FileError(FileError::missing));
    EXPECT_NE(FileError(FileError::missing), FileError(FileError::changed));

    Localization::setLanguage(AppLanguage::en);
    EXPECT_EQ(errorDescription(FileError::unsupported), "This file cannot be processed.");
    for (std::size_t i = 0; i < FileError::caseCount; ++i) {
        const FileError error(static_cast<FileError::Case>(i));
        EXPECT_NE(errorDescription(error), error.messageKey()) << error.messageKey();
    }
    Localization::setLanguage(AppLanguage::fr);
    EXPECT_EQ(label(FileFilter::screenshots), "Captures d\u2019\u00e9cran");
    EXPECT_EQ(label(FileKind::other), "Autres");
    EXPECT_EQ(symbol(FileKind::pdf), "doc.richtext");
    Localization::setLanguage(AppLanguage::de);
    EXPECT_NE(label(FileKind::video), "Vidéos");
}

} // namespace
} // namespace tollenvane
