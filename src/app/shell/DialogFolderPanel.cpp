#include "app/shell/DialogFolderPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QListView>
#include <QLocale>
#include <QTreeView>

namespace tollenvane {

namespace {

// Qt's file model writes dates as the system's locale does; the dialog writes them as the
// application's language does, like the rest of the window.
class ChosenLanguageDates final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        constexpr int dateColumn = 3;
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || index.column() != dateColumn || files == nullptr) {
            return QIdentityProxyModel::data(index, role);
        }
        return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
    }
};

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
    // Only Qt's own dialog takes a proxy.
    dialog.setProxyModel(new ChosenLanguageDates(&dialog));
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
