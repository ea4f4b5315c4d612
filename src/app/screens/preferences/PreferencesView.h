#pragma once

#include "app/kit/ModelPage.h"

#include <QPointer>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QMessageBox;
class QSlider;

namespace tollenvane {

class AppearanceTile;
class SecondaryButton;
class TextBlock;
class Switch;
struct Preferences;

// The settings page. Every control shows the model's preferences and writes one change back,
// saved at once, only when the user acts on it.
class PreferencesView final : public ModelPage {
    Q_OBJECT

public:
    explicit PreferencesView(AppModel& model, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    QWidget* languagePanel();
    QWidget* appearancePanel();
    QWidget* interactionsPanel();
    QWidget* scanPanel();
    QWidget* shortcutsPanel();
    QWidget* reviewMemoryPanel();
    QWidget* volumeRow();

    // Applies `edit` to a copy of the preferences, hands it to the model and saves.
    void change(const std::function<void(Preferences&)>& edit);
    void askToForget();

    QComboBox* language_ = nullptr;
    SecondaryButton* replayTutorial_ = nullptr;
    std::array<AppearanceTile*, 3> tiles_{};
    Switch* sounds_ = nullptr;
    QSlider* volume_ = nullptr;
    QLabel* percent_ = nullptr;
    TextBlock* silent_ = nullptr;
    Switch* animations_ = nullptr;
    Switch* confirmTrash_ = nullptr;
    Switch* showHidden_ = nullptr;
    QComboBox* minimumSize_ = nullptr;
    SecondaryButton* rescan_ = nullptr;
    SecondaryButton* forget_ = nullptr;
    QPointer<QMessageBox> forgetAlert_;
};

} // namespace tollenvane
