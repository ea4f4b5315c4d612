#include "app/design/ShownName.h"

#include "app/deck/SwipeFileCard.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/WholeNames.h"
#include "app/preview/QuickLookSheet.h"
#include "app/screens/storage/ExplorerRules.h"
#include "app/screens/storage/StorageExplorer.h"
#include "app/screens/storage/StorageRow.h"
#include "app/screens/storage/TreemapView.h"
#include "core/localisation/Formatting.h"
#include "screens/storage/ScannedDesk.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QHelpEvent>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>

namespace tollenvane {
namespace {

const QString fsi = QStringLiteral("\u2068");
const QString pdi = QStringLiteral("\u2069");

TEST(ShownName, NoNameCanPassForAnother)
{
    struct Case {
        QString name;
        QString shown;
    };
    const std::vector<Case> cases = {
        {"Rapport 2024.pdf", "Rapport 2024.pdf"},
        {QStringLiteral("\u202Etxt.exe"), "<U+202E>txt.exe"},
        {QStringLiteral("a\u2066b\u2067c\u2069d\u200Fe\u061Cf"),
         "a<U+2066>b<U+2067>c<U+2069>d<U+200F>e<U+061C>f"},
        {"two\nlines\ttab\x7f", "two<U+000A>lines<U+0009>tab<U+007F>"},
        {QStringLiteral("para\u2028line\u2029end"), "para<U+2028>line<U+2029>end"},
        {QStringLiteral("zero\u200Bwidth\uFEFF"), "zero<U+200B>width<U+FEFF>"},
        {"   ", QStringLiteral("\u2423\u2423\u2423")},
        {QStringLiteral("\u00A0 "), QStringLiteral("\u2423\u2423")},
        {"", ""},
        // Joiners between letters or emoji shape the script and stay; elsewhere they are marks.
        {QStringLiteral("\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645"),
         QStringLiteral("\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645")},
        {QStringLiteral("\U0001F468\u200D\U0001F469.jpg"),
         QStringLiteral("\U0001F468\u200D\U0001F469.jpg")},
        {QStringLiteral("\u200Dstart.txt"), "<U+200D>start.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shownName(c.name), fsi + c.shown + pdi) << c.name.toStdString();
    }
    EXPECT_EQ(shownName(std::string("\xE2\x80\xAEtxt.exe")), fsi + "<U+202E>txt.exe" + pdi);
}

TEST(ShownName, AssistiveTechnologyHearsTheNameWithoutItsIsolationOrJoiners)
{
    const QString misleading = QStringLiteral("\u202Etxt.exe");
    EXPECT_EQ(spokenText(shownName(misleading)), "<U+202E>txt.exe");
    const QString kept = namesKeptWhole(QStringLiteral("Supprimer ") +
                                        shownName(QStringLiteral("Mon rapport-final.pdf")) + " ?");
    EXPECT_EQ(spokenText(kept), "Supprimer Mon rapport-final.pdf ?");
    // A name that holds isolates of its own shows them as marks, and they are heard as such.
    EXPECT_EQ(spokenText(shownName(QStringLiteral("a\u2068b"))), "a<U+2068>b");
}

// Where a text wraps, a name that fits on a line is never broken, not even between its
// ideographs or at its spaces; one longer than the line breaks only where the line ends.
TEST(ShownName, ANameThatFitsALineIsNeverBroken)
{
    const QString name = shownName(std::string("IMG_2024 写真 😀 jog Ça.jpg"));
    const QString text =
        QStringLiteral("Le fichier ") + name + QStringLiteral(" pourra être restauré plus tard.");
    const QString kept = namesKeptWhole(text);
    EXPECT_EQ(QString(kept).remove(QChar(0x2060)).replace(QChar(0x00A0), QLatin1Char(' ')), text);
    EXPECT_EQ(namesKeptWhole(QStringLiteral("Sans nom, rien ne change.")),
              QStringLiteral("Sans nom, rien ne change."));

    const QFont font = DesignFont::system(13);
    const qreal nameWidth = QFontMetricsF(font).horizontalAdvance(name);
    const auto layOut = [&](QTextLayout& layout, qreal width) {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
        }
        layout.endLayout();
    };
    const int opening = static_cast<int>(kept.indexOf(fsi));
    const int closing = static_cast<int>(kept.indexOf(pdi));
    for (qreal width = nameWidth + 1; width < nameWidth + 240; width += 3) {
        QTextLayout layout(kept, font);
        layOut(layout, width);
        EXPECT_EQ(layout.lineForTextPosition(opening).lineNumber(),
                  layout.lineForTextPosition(closing).lineNumber())
            << "at " << width;
    }
    QTextLayout narrow(kept, font);
    layOut(narrow, nameWidth / 2);
    for (int index = 0; index < narrow.lineCount(); ++index) {
        EXPECT_LE(narrow.lineAt(index).naturalTextWidth(), nameWidth / 2 + 1);
    }
}

TEST(ShownName, AProblemShowsItsNameMarked)
{
    EXPECT_EQ(shownProblem("\u202Ea : b : Accès refusé."),
              fsi + "<U+202E>a : b" + pdi + QStringLiteral(" : Accès refusé."));
    EXPECT_EQ(shownProblem("3 autres fichiers ignorés."),
              QStringLiteral("3 autres fichiers ignorés."));
}

// Names built to mislead, on real files, as the card, the preview, the explorer's map, its tool
// tip and its rows show them.
TEST(ShownName, ScreensShowMisleadingNamesMarked)
{
    test::ScannedDesk desk;
    constexpr std::int64_t size = 700'000;
    const std::vector<std::string> names = {"   ", "a\nb.txt", "\u202Etxt.exe"};
    for (const std::string& name : names) {
        desk.harness.folder.write("home/Projects/" + name, std::string(size, 'h'));
    }
    AppModel& model = desk.model();
    model.scan();
    desk.settle();
    model.openStorageFolder(desk.source);
    desk.settle();
    QWidget window;
    auto* explorer = new StorageExplorer(model, desk.revealer, 8, &window);
    explorer->resize(740, explorer->heightForWidth(740));
    auto* card = new SwipeFileCard(model, desk.revealer, &window);
    card->setGeometry(0, 0, 520, 560);
    window.resize(760, 900);
    window.show();
    desk.settle();
    auto& map = *explorer->findChild<TreemapView*>(QStringLiteral("treemap"));
    const QString sizeText = QString::fromStdString(formattedBytes(size));

    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const QString shown = shownName(name);
        const FileRecord record = FileRecord::read(desk.path(name));
        card->setFile(record);
        EXPECT_EQ(card->findChild<ElidedLabel*>(QStringLiteral("nameLabel"))->text(), shown);
        QuickLookSheet sheet(model, record);
        EXPECT_EQ(sheet.findChild<ElidedLabel*>(QStringLiteral("fileName"))->text(), shown);

        const auto rect =
            std::find_if(map.layout().begin(), map.layout().end(), [&](const TreemapRect& laid) {
                return map.tiles()[laid.index].name == name;
            });
        ASSERT_NE(rect, map.layout().end());
        EXPECT_EQ(blockNameLines(map.tiles()[rect->index], 400), QStringList{shown});
        // The size reads after the name, never drawn into it.
        const QPoint centre = ExplorerRules::blockFrame(*rect).center().toPoint();
        QHelpEvent help(QEvent::ToolTip, centre, map.mapToGlobal(centre));
        QCoreApplication::sendEvent(&map, &help);
        QTextDocument tip;
        tip.setHtml(QToolTip::text());
        EXPECT_EQ(tip.toRawText(), shown + QStringLiteral(" \u00B7 ") + sizeText);
        QToolTip::hideText();
        for (const StorageRowButton* row : explorer->findChildren<StorageRowButton*>()) {
            if (row->node().name == name) {
                EXPECT_EQ(row->accessibleName(), spokenText(shown + ", " + sizeText));
            }
        }
    }
    desk.settle();
    ASSERT_TRUE(QDir().mkpath(TOLLENVANE_SCREENSHOTS));
    EXPECT_TRUE(card->grab().save(TOLLENVANE_SCREENSHOTS "/misleading-name-card.png"));
    EXPECT_TRUE(explorer->grab().save(TOLLENVANE_SCREENSHOTS "/misleading-names-explorer.png"));
}

} // namespace
} // namespace tollenvane
