#pragma once

#include "app/shell/TerminationController.h"
#include "core/localisation/AppLanguage.h"

#include <QMainWindow>
#include <functional>

namespace tollenvane {

class AppModel;
class CommandActions;

// The application's one window: the root view under the menu bar. Closing it quits, through
// the same wait as the quit command. A change of language retitles the window and its menus;
// the root view builds its content anew.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    // Where the screen has room for it.
    static constexpr QSize defaultSize{1200, 840};
    static constexpr QSize minimumContentSize{960, 660};

    // `quit` ends the event loop once the state is written.
    MainWindow(AppModel& model, std::function<void()> quit, QWidget* parent = nullptr);

    CommandActions& commands() const { return *commands_; }
    TerminationController& termination() { return termination_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first move after the window manager framed the window fits it, frame and all, on the
    // screen.
    void moveEvent(QMoveEvent* event) override;

private:
    void followLanguage();
    void retitle();

    AppModel& model_;
    TerminationController termination_;
    CommandActions* commands_ = nullptr;
    AppLanguage language_;
    bool rebuildScheduled_ = false;
    bool framed_ = false;
};

} // namespace tollenvane
