#include "app/shell/DialogFolderPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
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

} // namespace

std::optional<std::vector<std::string>> DialogFolderPanel::run(const FolderPanelRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.message));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(request.prompt));
    dialog.setDirectory(request.startFolder ? QString::fromStdString(*request.startFolder)
                                            : QDir::homePath());
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
