#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace tollenvane {

class AppModel;

// The one way out of the application, for closing the window and for the quit command: waits
// until no decision is in flight and the state file was read, writes the state, then quits and
// lets the model end its work. The wait has no limit, as a decision half done must not be cut.
class TerminationController final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds pollInterval{15};

    // `quit` ends the event loop; tests put their own.
    explicit TerminationController(AppModel& model, std::function<void()> quit,
                                   QObject* parent = nullptr);

    // Starts the way out; later requests join the first one.
    void request();

    bool terminating() const { return terminating_; }
    // Polling for the model to become idle.
    bool waiting() const { return poll_.isActive(); }

private:
    bool modelIdle() const;
    void checkIdle();
    void flushThenQuit();

    AppModel& model_;
    std::function<void()> quit_;
    QTimer poll_{this};
    bool terminating_ = false;
};

} // namespace tollenvane
