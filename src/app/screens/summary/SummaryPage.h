#pragma once

#include "app/kit/KeyboardStart.h"
#include "app/kit/ModelPage.h"

#include <array>

namespace tollenvane {

class ElidedLabel;
class PrimaryButton;
class ResultNotice;
class SecondaryButton;

// The end of a session: what was decided, what went to the Trash, and the way back home.
class SummaryPage : public ModelPage, public KeyboardStart {
    Q_OBJECT

public:
    explicit SummaryPage(AppModel& model, QWidget* parent = nullptr);

    // The keyboard arrives on the way out: Enter on undo would open the session again.
    bool takeKeyboard() override;

protected:
    void refresh() override;

private:
    // Adds a block centred in the column.
    void addCentred(QWidget* block);
    QWidget* counterStrip();
    QWidget* buttonRow();

    ElidedLabel* total_;
    std::array<ElidedLabel*, 4> counters_{};
    ElidedLabel* trashed_;
    SecondaryButton* undo_ = nullptr;
    PrimaryButton* finish_ = nullptr;
    ResultNotice* notice_;
};

} // namespace tollenvane
