#pragma once

#include "app/kit/QueuedRefresh.h"
#include "core/records/Preferences.h"

#include <QWidget>
#include <functional>

namespace tollenvane {

class AppModel;
class Panel;
class SegmentedControl;
class Switch;

// The last step: appearance, sounds, card animations and trash confirmation. Each change takes
// effect at once and is saved, so that a crash before the end loses none of them.
class PreferencesStep final : public QWidget {
    Q_OBJECT

public:
    explicit PreferencesStep(AppModel& model, QWidget* parent = nullptr);

private:
    void refresh();
    // Only what the user did: the model's own changes come back through refresh().
    void change(const std::function<void(Preferences&)>& edit);
    Switch* addSwitch(Panel& panel, const QString& title, const char* name,
                      bool Preferences::*setting);

    AppModel& model_;
    SegmentedControl* appearance_;
    Switch* sounds_ = nullptr;
    Switch* animations_ = nullptr;
    Switch* confirmTrash_ = nullptr;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
