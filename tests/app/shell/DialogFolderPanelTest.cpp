#include "app/shell/DialogFolderPanel.h"

#include "app/shell/QtTranslation.h"
#include "core/localisation/Localization.h"
#include "support/AccessibleEvents.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

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

// The chooser names its task in a few words and shows its explanation whole above the folders;
// every column speaks the chosen language, a folder's type too, and a date fits its column at
// the size the chooser opens at.
TEST(DialogFolderPanel, TitleExplanationAndColumnsInTheChosenLanguage)
{
    const TempDir folder;
    const std::string start = folder.makeFolder("Images");
    folder.makeFolder("Images/Vacances");
    for (const AppLanguage language : {AppLanguage::fr, AppLanguage::de, AppLanguage::en}) {
        QtTranslation translation;
        ASSERT_TRUE(translation.use(language));
        const test::ScopedLanguage shown(language);
        FolderPanelRequest request;
        request.title = Localization::text("Dossier de destination");
        request.prompt = Localization::text("Choisir la destination");
        request.message = Localization::text("Tollenvane analyse uniquement les dossiers que vous "
                                             "choisissez. Tout reste sur cet ordinateur.");
        request.startFolder = start;
        const std::string code(rawValue(language));
        bool looked = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            // Closed whatever is found, so that a failure never leaves the chooser waiting.
            const auto close = qScopeGuard([dialog] { dialog->reject(); });
            looked = true;
            constexpr int typeColumn = 2;
            constexpr int dateColumn = 3;
            const QString type = shownInRow(*dialog, QStringLiteral("Vacances"), typeColumn);
            EXPECT_EQ(dialog->windowTitle().toStdString(), request.title);
            const auto* explanation = dialog->findChild<QLabel*>(QStringLiteral("explanation"));
            ASSERT_NE(explanation, nullptr);
            EXPECT_TRUE(explanation->isVisible());
            EXPECT_EQ(explanation->text().toStdString(), request.message);
            EXPECT_GE(explanation->height(), explanation->heightForWidth(explanation->width()));
            EXPECT_LT(explanation->y(),
                      dialog->findChild<QTreeView*>()->mapTo(dialog, QPoint()).y());
            EXPECT_FALSE(type.isEmpty());
            if (language != AppLanguage::en) {
                EXPECT_NE(type, QStringLiteral("Folder")) << code;
            }
            const auto* view = dialog->findChild<QTreeView*>();
            EXPECT_LE(view->header()->sectionViewportPosition(dateColumn) +
                          view->header()->sectionSize(dateColumn),
                      view->viewport()->width())
                << code;
            const QAbstractItemModel& rows = *view->model();
            for (int row = 0; row < rows.rowCount(view->rootIndex()); ++row) {
                const QModelIndex date = rows.index(row, dateColumn, view->rootIndex());
                EXPECT_GE(view->header()->sectionSize(dateColumn),
                          view->sizeHintForIndex(date).width())
                    << code << " " << date.data().toString().toStdString();
            }
            dialog->grab().save(test::screenshotFolder() + "/folder-chooser-" +
                                QString::fromStdString(code) + ".png");
        });
        EXPECT_EQ(DialogFolderPanel().run(request), std::nullopt);
        EXPECT_TRUE(looked);
    }
}

// A pop-up that refuses to close, as long as it is asked fewer than a hundred times.
class StubbornPopup final : public QWidget {
public:
    explicit StubbornPopup(QWidget* parent)
        : QWidget(parent, Qt::Popup)
    {}

    int asked = 0;

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(++asked >= 100); }
};

// The chooser closes its pop-ups before it goes, but asks one that refuses only once.
TEST(DialogFolderPanel, APopupThatRefusesToCloseIsAskedOnce)
{
    int asked = 0;
    QTimer::singleShot(0, [&asked] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        StubbornPopup popup(dialog);
        popup.show();
        dialog->reject();
        asked = popup.asked;
        popup.asked = 100;
    });
    EXPECT_EQ(DialogFolderPanel().run(FolderPanelRequest()), std::nullopt);
    EXPECT_EQ(asked, 1);
}

// Nothing is told of the chooser while Qt builds it, and all of it once it shows: the first
// focus told is its name field's, not a place of its sidebar.
TEST(DialogFolderPanel, TheChooserIsHeardOnceBuilt)
{
    test::AccessibleEvents events;
    std::string firstFocus;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        EXPECT_TRUE(events.waitFor(field, QAccessible::Focus)) << events.transcript();
        const auto& told = events.events();
        const auto focus = std::find_if(told.begin(), told.end(), [](const test::ToldEvent& event) {
            return event.type == QAccessible::Focus;
        });
        firstFocus = focus == told.end() || focus->object == nullptr
                         ? std::string("none")
                         : focus->object->objectName().toStdString();
        dialog->reject();
    });
    EXPECT_EQ(DialogFolderPanel().run(FolderPanelRequest()), std::nullopt);
    EXPECT_EQ(firstFocus, "fileNameEdit");
}

} // namespace
} // namespace tollenvane
