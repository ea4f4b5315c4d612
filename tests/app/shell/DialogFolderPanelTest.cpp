#include "app/shell/DialogFolderPanel.h"

#include "app/shell/QtTranslation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <QTreeView>

namespace tollenvane {
namespace {

using test::TempDir;

// The folder the chooser shows on opening, then cancelled.
QString openingFolder(const std::optional<std::string>& start)
{
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    FolderPanelRequest request;
    request.startFolder = start;
    EXPECT_EQ(DialogFolderPanel().run(request), std::nullopt);
    return shown;
}

TEST(DialogFolderPanel, OpensInTheStartFolderOrHomeWhenItIsMissing)
{
    const TempDir folder;
    const std::string existing = folder.makeFolder("Images");
    EXPECT_EQ(openingFolder(existing), QDir(QString::fromStdString(existing)).absolutePath());
    EXPECT_EQ(openingFolder(folder / "Bureau"), QDir::homePath());
    EXPECT_EQ(openingFolder(std::nullopt), QDir::homePath());
}

// What the chooser's list shows in its column `column` for the folder named `name`, once Qt's file
// model has listed it.
QString shownInRow(QFileDialog& dialog, const QString& name, int column)
{
    auto* view = dialog.findChild<QTreeView*>();
    if (view == nullptr) {
        return {};
    }
    const QDeadlineTimer deadline(10'000);
    while (!deadline.hasExpired()) {
        const QAbstractItemModel& model = *view->model();
        for (int row = 0; row < model.rowCount(view->rootIndex()); ++row) {
            const QModelIndex index = model.index(row, 0, view->rootIndex());
            if (index.data().toString() == name) {
                return index.siblingAtColumn(column).data().toString();
            }
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return {};
}

TEST(DialogFolderPanel, WritesDatesAsTheChosenLanguageDoes)
{
    const TempDir folder;
    const std::string start = folder.makeFolder("Images");
    const QFileInfo holiday(QString::fromStdString(folder.makeFolder("Images/Vacances")));
    for (const AppLanguage language : {AppLanguage::de, AppLanguage::fr, AppLanguage::en}) {
        QtTranslation translation;
        ASSERT_TRUE(translation.use(language)) << "qt6-translations-l10n is not installed";
        const std::string_view code = rawValue(language);
        const QLocale chosen(QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())));
        EXPECT_EQ(QLocale().language(), chosen.language());
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                constexpr int dateColumn = 3;
                shown = shownInRow(*dialog, QStringLiteral("Vacances"), dateColumn);
                dialog->reject();
            }
        });
        FolderPanelRequest request;
        request.startFolder = start;
        EXPECT_EQ(DialogFolderPanel().run(request), std::nullopt);
        EXPECT_EQ(shown.toStdString(),
                  chosen.toString(holiday.lastModified(), QLocale::ShortFormat).toStdString())
            << rawValue(language);
    }
    EXPECT_EQ(QLocale(), QLocale::system()) << "the locale goes with its translation";
}

} // namespace
} // namespace tollenvane
