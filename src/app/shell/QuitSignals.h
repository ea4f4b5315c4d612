#pragma once

#include <QObject>
#include <array>
#include <csignal>

class QSocketNotifier;

namespace tollenvane {

// Turns the signals that ask a process to end (SIGTERM at log-out, SIGINT from a terminal,
// SIGHUP when the terminal goes) into a Qt signal on the main thread, so that they take the
// application's own way out instead of killing it in the middle of a decision. One instance at a
// time; the previous handlers come back when it goes.
class QuitSignals final : public QObject {
    Q_OBJECT

public:
    static constexpr std::array<int, 3> handled{SIGTERM, SIGINT, SIGHUP};

    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

signals:
    void received(int signalNumber);

private:
    void drain();

    std::array<int, 2> pipe_{-1, -1};
    std::array<struct sigaction, handled.size()> previous_{};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace tollenvane
