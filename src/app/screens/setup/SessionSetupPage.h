#pragma once

#include "app/kit/ModelPage.h"

#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tollenvane {

class AppModel;
class ElidedLabel;
class PrimaryButton;
class ResultNotice;
class Switch;
class TextBlock;
class TypeGrid;
struct SessionFilter;

// Shapes the next review session: every control edits one field of the model's filter, and the
// model's estimate of what matches is shown beside the start button.
class SessionSetupPage final : public ModelPage {
    Q_OBJECT

public:
    explicit SessionSetupPage(AppModel& model, QWidget* parent = nullptr);

protected:
    void refresh() override;
    QWidget* focusHome(QWidget& gone) override;

private:
    QWidget* makeFilterPanel();
    QWidget* makeVolumeRow();
    QWidget* makeFolderRow();
    QWidget* makeLimitsRow();
    QWidget* makeSwitches();
    QWidget* makeStartRow();
    QWidget* makeLegend();

    // Writes one field of the model's filter, from a user's action only; the figures it brings
    // are told when `told`.
    template <class Edit>
    void editFilter(Edit&& edit, bool told = true);

    void refreshFilterControls(const SessionFilter& filter);
    void refreshVolumes();
    void refreshEstimate();
    void tellEstimate();

    QComboBox* volumePicker_ = nullptr;
    QLineEdit* search_ = nullptr;
    QWidget* folderRow_ = nullptr;
    ElidedLabel* folderName_ = nullptr;
    TypeGrid* types_ = nullptr;
    QComboBox* sizePicker_ = nullptr;
    QComboBox* agePicker_ = nullptr;
    Switch* includeReviewed_ = nullptr;
    Switch* largestFirst_ = nullptr;
    Switch* downloadsOnly_ = nullptr;
    QWidget* progress_ = nullptr;
    ElidedLabel* count_ = nullptr;
    ElidedLabel* bytes_ = nullptr;
    PrimaryButton* start_ = nullptr;
    TextBlock* sessionNote_ = nullptr;
    // The figures are told once the estimate that a change of the user's brings is in.
    ResultNotice* estimateNotice_ = nullptr;
    bool estimateAsked_ = false;
};

} // namespace tollenvane
