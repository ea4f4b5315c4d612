#include "app/shell/DialogFolderPanel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMimeDatabase>
#include <QShowEvent>
#include <QTreeView>
#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

namespace tollenvane {

namespace {

constexpr int typeColumn = 2;
constexpr int dateColumn = 3;

// What the desktop calls a folder in the chosen language, as it names the type of every file:
// Qt's own word for it is missing from most of its translations.
QString folderType()
{
    const QString comment =
        QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment();
    return QLocale().toUpper(comment.left(1)) + comment.mid(1);
}

// Qt's file model writes types and dates as the system's language does; the dialog writes them
// as the application's language does, like the rest of the window.
class ChosenLanguageColumns final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr) {
            return QIdentityProxyModel::data(index, role);
        }
        if (index.column() == typeColumn && files->isDir(mapToSource(index))) {
            return folder_;
        }
        if (index.column() == dateColumn) {
            return QLocale().toString(files->lastModified(mapToSource(index)),
                                      QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    QString folder_ = folderType();
};

// Qt's own chooser, opened wide enough to show every column whole.
class FolderDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    // A path typed in the name field leaves its completion list open. Were the dialog to go with
    // it, the list's closing would hand the activation back to the gone dialog, and the window
    // beneath would never get the keyboard again; closed first, it hands it to the dialog. A pop-up
    // that refuses to close is left open.
    void done(int result) override
    {
        for (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr;) {
            popup->close();
            QWidget* next = QApplication::activePopupWidget();
            popup = next != popup ? next : nullptr;
        }
        QFileDialog::done(result);
    }

protected:
    // Sized and laid out by now, not yet on screen.
    void showEvent(QShowEvent* event) override
    {
        QFileDialog::showEvent(event);
        const auto* view = findChild<QTreeView*>();
        if (event->spontaneous() || view == nullptr) {
            return;
        }
        const int overflow = view->header()->length() - view->viewport()->width();
        if (overflow > 0) {
            resize(width() + overflow, height());
        }
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

// Above the folders and wrapped, so that it reads whole at any width, where the title bar would
// cut it: every row of Qt's own layout moves one down, with its stretch.
void showExplanation(QFileDialog& dialog, const QString& text)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr || text.isEmpty()) {
        return;
    }
    std::vector<std::tuple<QLayoutItem*, int, int, int, int>> items;
    for (int index = grid->count() - 1; index >= 0; --index) {
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        items.emplace_back(grid->takeAt(index), row, column, rowSpan, columnSpan);
    }
    for (int row = grid->rowCount() - 1; row >= 0; --row) {
        grid->setRowStretch(row + 1, grid->rowStretch(row));
    }
    grid->setRowStretch(0, 0);
    for (const auto& [item, row, column, rowSpan, columnSpan] : items) {
        grid->addItem(item, row + 1, column, rowSpan, columnSpan);
    }
    auto* explanation = new QLabel(text);
    explanation->setObjectName(QStringLiteral("explanation"));
    explanation->setTextFormat(Qt::PlainText);
    explanation->setWordWrap(true);
    grid->addWidget(explanation, 0, 0, 1, grid->columnCount());
}

// Qt sizes the date column for an American date; a date in the chosen language, and the
// column's own title, may be longer.
void fitDates(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>();
    if (view == nullptr) {
        return;
    }
    // Two-digit day, month and hour: as wide as a date gets.
    const QString widest =
        QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58)), QLocale::ShortFormat);
    const int margin =
        2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) +
             view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view));
    QHeaderView& header = *view->header();
    header.resizeSection(
        dateColumn, std::max({header.sectionSize(dateColumn), header.sectionSizeHint(dateColumn),
                              view->fontMetrics().horizontalAdvance(widest) + margin}));
}

// Assistive technology is told nothing while this lives. Qt's chooser tells it that the place
// its sidebar shows has the focus as it builds that sidebar, before it is even shown: the window
// the keyboard is on would lose the focus to a hidden place, and the chooser open on it.
class Unheard {
public:
    Unheard()
        : previous_(QAccessible::installUpdateHandler([](QAccessibleEvent*) {}))
    {}
    ~Unheard() { QAccessible::installUpdateHandler(previous_); }
    Unheard(const Unheard&) = delete;
    Unheard& operator=(const Unheard&) = delete;

private:
    const QAccessible::UpdateHandler previous_;
};

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
    std::optional<Unheard> building(std::in_place);
    FolderDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // Only Qt's own dialog takes a proxy.
    dialog.setProxyModel(new ChosenLanguageColumns(&dialog));
    dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(request.prompt));
    showExplanation(dialog, QString::fromStdString(request.message));
    fitDates(dialog);
    dialog.setDirectory(startFolder(request.startFolder));
    if (request.multipleSelection) {
        allowSeveral(dialog);
    }
    building.reset();
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
