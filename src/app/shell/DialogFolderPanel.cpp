#include "app/shell/DialogFolderPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QListView>
#include <QTreeView>

namespace tollenvane {

namespace {

void allowSeveral(QFileDialog& dialog)
{
    for (auto* view : {static_cast<QAbstractItemView*>(dialog.findChild<QListView*>("listView")),
                       static_cast<QAbstractItemView*>(dialog.findChild<QTreeView*>())}) {
        if (view != nullptr) {
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        }
    }
}

// Asked for a folder that does not exist, the dialog would open in the working directory.
QString startFolder(const std::optional<std::string>& wanted)
{
    if (wanted) {
        const QString folder = QString::fromStdString(*wanted);
        if (QFileInfo(folder).isDir()) {
            return folder;
        }
    }
    return QDir::homePath();
}

} // namespace

std::optional<std::vector<std::string>> DialogFolderPanel::run(const FolderPanelRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.message));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(request.prompt));
    dialog.setDirectory(startFolder(request.startFolder));
    if (request.multipleSelection) {
        allowSeveral(dialog);
    }
    // The model asks and waits for the answer, so this one dialog is modal.
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    std::vector<std::string> chosen;
    for (const QString& folder : dialog.selectedFiles()) {
        chosen.push_back(QDir::cleanPath(folder).toStdString());
    }
    return chosen;
}

} // namespace tollenvane
