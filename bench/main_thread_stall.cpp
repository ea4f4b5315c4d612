// Measures how long the main thread stops answering while the model scans a folder: a 1 ms
// timer notes the longest gap between its ticks from the scan's start to its end. Runs twice,
// on the model alone and with the window shown, whose refreshes then count too:
//   main_thread_stall <corpus> [work-folder]
// The corpus is the source; the state file and a scratch HOME go in work-folder (by default a
// new folder beside the corpus, removed at the end). Make the corpus outside /tmp, which the
// application refuses as a source:
//   python3 /work/shared/bench/make_corpus.py build/corpus --files 100000 --total 1G
//   build/ci/bench/main_thread_stall "$PWD/build/corpus"
// Offscreen unless QT_QPA_PLATFORM says otherwise. A frame is 16 ms: no gap should pass it.
#include "ScreenBench.h"
#include "app/shell/DialogFolderPanel.h"
#include "app/shell/MainWindow.h"
#include "core/persistence/StateStore.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"

#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QStyleFactory>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using namespace tollenvane;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr auto frame = 16ms;

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The gaps between the ticks of a 1 ms timer on the main thread.
class StallRecorder {
public:
    explicit StallRecorder(const AppModel& model)
        : model_(model)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1ms);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }

    void start()
    {
        started_ = last_ = Clock::now();
        timer_.start();
    }
    void stop()
    {
        tick();
        timer_.stop();
    }

    Clock::duration longest() const { return longest_; }
    // When the longest gap ended, from the start, and how many files were indexed by then.
    Clock::duration longestAt() const { return longestAt_; }
    std::int64_t indexedAtLongest() const { return indexedAtLongest_; }
    int overFrame() const { return overFrame_; }

private:
    void tick()
    {
        const Clock::time_point now = Clock::now();
        const Clock::duration gap = now - last_;
        last_ = now;
        if (gap > frame) {
            ++overFrame_;
        }
        if (gap > longest_) {
            longest_ = gap;
            longestAt_ = now - started_;
            indexedAtLongest_ = model_.indexedCount();
        }
    }

    const AppModel& model_;
    QTimer timer_;
    Clock::time_point started_;
    Clock::time_point last_;
    Clock::duration longest_{};
    Clock::duration longestAt_{};
    std::int64_t indexedAtLongest_ = 0;
    int overFrame_ = 0;
};

void scanOnce(const fs::path& corpus, const fs::path& state, bool withWindow)
{
    AppModel model(StateStore(state.string()),
                   ModelServices::system(std::make_shared<DialogFolderPanel>()));
    std::unique_ptr<MainWindow> window;
    if (withWindow) {
        window = std::make_unique<MainWindow>(model, [] {});
        window->show();
    }
    bench::waitUntil(model, &AppModel::loadingChanged, [&model] { return !model.loading(); });
    Preferences preferences = model.state().preferences;
    preferences.onboardingComplete = true;
    model.setPreferences(preferences);
    model.addFolder(corpus.string(), false);

    StallRecorder stalls(model);
    const Clock::time_point start = Clock::now();
    stalls.start();
    model.scan();
    bench::waitUntil(model, &AppModel::scanningChanged, [&model] { return !model.scanning(); });
    stalls.stop();
    const Clock::duration took = Clock::now() - start;

    std::cout << std::fixed << std::setprecision(1) << (withWindow ? "window shown" : "model only")
              << ": " << model.indexedCount() << " files indexed in "
              << std::chrono::duration<double>(took).count() << " s; longest stall "
              << milliseconds(stalls.longest()) << " ms (at "
              << std::chrono::duration<double>(stalls.longestAt()).count() << " s, "
              << stalls.indexedAtLongest() << " files); gaps over 16 ms: " << stalls.overFrame()
              << std::endl;
    bench::closeModel(model);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: main_thread_stall <corpus> [work-folder]\n";
        return 2;
    }
    const fs::path corpus = fs::absolute(argv[1]);
    if (!fs::is_directory(corpus)) {
        std::cerr << corpus << " is not a folder\n";
        return 2;
    }
    const bool ownWork = argc < 3;
    const fs::path work =
        ownWork ? corpus.parent_path() / ("stall-work-" + std::to_string(getpid())) : argv[2];
    return bench::runScreenBench("main_thread_stall", argc, argv, work, ownWork, [&] {
        scanOnce(corpus, work / "model/state.json", false);
        scanOnce(corpus, work / "window/state.json", true);
    });
}
