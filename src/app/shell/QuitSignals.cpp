#include "app/shell/QuitSignals.h"

#include "core/base/PlatformError.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace tollenvane {
namespace {

// The handler may only do what is safe in a signal handler: one write to a non-blocking pipe.
volatile sig_atomic_t writeEnd = -1;

void onSignal(int signalNumber)
{
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent)
    : QObject(parent)
{
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        PlatformError::throwLast("pipe2");
    }
    writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::drain);

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < handled.size(); ++i) {
        ::sigaction(handled[i], &action, &previous_[i]);
    }
}

QuitSignals::~QuitSignals()
{
    for (std::size_t i = 0; i < handled.size(); ++i) {
        ::sigaction(handled[i], &previous_[i], nullptr);
    }
    writeEnd = -1;
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void QuitSignals::drain()
{
    unsigned char number = 0;
    while (::read(pipe_[0], &number, 1) == 1) {
        emit received(number);
    }
}

} // namespace tollenvane
