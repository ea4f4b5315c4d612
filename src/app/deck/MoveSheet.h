#pragma once

#include "app/deck/MoveSheetRules.h"
#include "app/kit/AddedFolders.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/KeyedRows.h"
#include "app/kit/QueuedRefresh.h"

#include <QDialog>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace tollenvane {

class AppModel;
class DestinationLine;
class ElidedLabel;
class EmptyState;
class ResultNotice;
class SecondaryButton;

// Where the current card's file goes: one click on a remembered destination moves it there.
// The sheet closes when the model lowers showMove; a failed move leaves it open.
class MoveSheet final : public QDialog {
    Q_OBJECT

public:
    static constexpr int fixedWidth = 650;

    explicit MoveSheet(AppModel& model, QWidget* parent = nullptr);

public slots:
    // Escape and the close button; nothing while a decision runs.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Tab goes in the order the sheet lays its controls out, lines added since included.
    bool focusNextPrevChild(bool next) override;

private:
    QWidget* header();
    QScrollArea* destinationList();
    QWidget* form();
    void refresh();
    void keepFocus(const QPointer<QWidget>& held, bool heldInList);
    QWidget* focusHome(QWidget& gone);
    void focusFirstDestination();
    void fitList();
    void fitHeight();
    void offerParents(std::vector<ParentChoice> choices);
    void refreshForm();
    void moveTo(const std::string& id);
    void create();

    AppModel& model_;
    std::optional<std::string> parentID_;
    std::vector<ParentChoice> offered_;
    bool creating_ = false;
    ElidedLabel* subtitle_ = nullptr;
    QAbstractButton* close_ = nullptr;
    QScrollArea* list_ = nullptr;
    EmptyState* placeholder_ = nullptr;
    std::unique_ptr<KeyedRows<std::string, DestinationLine>> rows_;
    QueuedRefresh refresh_;
    FocusHandOff handOff_;
    SecondaryButton* other_ = nullptr;
    QLineEdit* newFolder_ = nullptr;
    QComboBox* parents_ = nullptr;
    QPushButton* create_ = nullptr;
    // The destination a Create made is told, the focus staying in the form.
    AddedFolders created_;
    ResultNotice* notice_ = nullptr;
};

} // namespace tollenvane
