#include "app/deck/FileCardFacts.h"

#include "app/design/ShownName.h"
#include "core/localisation/Localization.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tollenvane {
namespace {

TEST(FileCardFacts, ReadsTheRecordOfARealFile)
{
    const test::TempDir folder;
    // A sparse file: far smaller on disk than its logical size.
    const std::string path = folder / "Rapport annuel.txt";
    ASSERT_EQ(::truncate(folder.write("Rapport annuel.txt").c_str(), 2'500'000), 0);

    const FileCardFacts facts = fileCardFacts(FileRecord::read(path), false);

    EXPECT_EQ(facts.name, shownName("Rapport annuel.txt"));
    EXPECT_EQ(facts.folder, shownName(folder.path()));
    EXPECT_EQ(facts.kind, QStringLiteral("Documents"));
    EXPECT_EQ(facts.size, QStringLiteral("2,5\u00A0Mo"));
    EXPECT_TRUE(facts.modified.startsWith(QStringLiteral("Modifié ")));
    EXPECT_TRUE(facts.created.startsWith(QStringLiteral("Créé ")));
    EXPECT_GT(facts.modified.size(), QStringLiteral("Modifié ").size());
    EXPECT_TRUE(facts.previewEnabled);
    EXPECT_FALSE(facts.skipShown);
}

TEST(FileCardFacts, FollowTheLanguageOfTheMoment)
{
    const AppLanguage before = Localization::language();
    Localization::setLanguage(AppLanguage::en);
    const FileCardFacts facts = fileCardFacts(test::RecordSample{.size = 1500}.record(), false);
    Localization::setLanguage(before);

    EXPECT_EQ(facts.kind, QStringLiteral("Images"));
    EXPECT_EQ(facts.size, QStringLiteral("1.5\u00A0KB"));
    EXPECT_TRUE(facts.modified.startsWith(QStringLiteral("Modified ")));
}

TEST(FileCardFacts, AFileOutOfReachOffersTheSkipOnly)
{
    const FileRecord away = test::RecordSample{.available = false}.record();
    const FileRecord present = test::RecordSample{}.record();

    EXPECT_FALSE(fileCardFacts(away, false).previewEnabled);
    EXPECT_TRUE(fileCardFacts(away, false).skipShown);
    // Gone since it was indexed: the record still claims it, so the preview stays offered.
    EXPECT_TRUE(fileCardFacts(present, true).previewEnabled);
    EXPECT_TRUE(fileCardFacts(present, true).skipShown);
}

// Heard as the card shows it: the name without the marks that isolate it, but with the marks
// that show a control inside it, so that no name is heard as another.
TEST(FileCardFacts, SpokenAsTheCardShowsItsNameKindAndSize)
{
    const FileRecord record =
        test::RecordSample{.size = 2'500'000, .path = "/home/a/Pictures/photo\u202Egnp.exe"}
            .record();
    EXPECT_EQ(spokenFacts(fileCardFacts(record, false)),
              QStringLiteral("photo<U+202E>gnp.exe, Images, 2,5 Mo"));
}

TEST(FileCardFacts, FolderIsThePathWithoutItsName)
{
    EXPECT_EQ(containingFolder(QStringLiteral("/home/a/Pictures/x.png")),
              QStringLiteral("/home/a/Pictures"));
    EXPECT_EQ(containingFolder(QStringLiteral("/x.png")), QStringLiteral("/"));
}

} // namespace
} // namespace tollenvane
