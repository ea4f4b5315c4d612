#pragma once

#include "app/design/Symbol.h"
#include "model/AppModel.h"

#include <QApplication>
#include <QEventLoop>
#include <QStyleFactory>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <iostream>
#include <stdexcept>

namespace tollenvane::bench {

// Runs the event loop until `done` holds, checked after each `signal` of `sender`; throws when
// `patience` runs out first.
template <class Sender, class Signal>
void waitUntil(const Sender& sender, Signal signal, const std::function<bool()>& done,
               std::chrono::milliseconds patience = std::chrono::minutes(30))
{
    if (done()) {
        return;
    }
    QEventLoop loop;
    QObject::connect(&sender, signal, &loop, [&] {
        if (done()) {
            loop.quit();
        }
    });
    QTimer::singleShot(patience, &loop, [&loop] { loop.exit(1); });
    if (loop.exec() != 0) {
        throw std::runtime_error("the model did not answer in time");
    }
}

// Writes the model's state and ends its jobs, as the application does when it quits. The write
// ends on the main thread: waiting for it keeps the event loop running.
inline void closeModel(AppModel& model)
{
    const QFuture<void> written = model.flushState();
    while (!written.isFinished()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    model.shutdown();
}

// Runs `body` in an application set up as the real one (Fusion, icon theme), on the offscreen
// platform unless another is asked for. HOME lies in `work`, so the model's folders, Trash and
// caches stay out of the user's; a work folder the benchmark made itself is removed afterwards.
inline int runScreenBench(const char* name, int argc, char** argv,
                          const std::filesystem::path& work, bool ownWork,
                          const std::function<void()>& body)
{
    std::filesystem::create_directories(work / "home");
    setenv("HOME", (work / "home").c_str(), 1);
    for (const char* variable :
         {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        unsetenv(variable);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int status = 0;
    {
        QApplication application(argc, argv);
        QApplication::setStyle(QStyleFactory::create("Fusion"));
        Symbol::useIconTheme();
        try {
            body();
        } catch (const std::exception& error) {
            std::cerr << name << ": " << error.what() << '\n';
            status = 1;
        }
    }
    if (ownWork) {
        std::filesystem::remove_all(work);
    }
    return status;
}

} // namespace tollenvane::bench
