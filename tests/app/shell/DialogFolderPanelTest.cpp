#include "app/shell/DialogFolderPanel.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

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

} // namespace
} // namespace tollenvane
