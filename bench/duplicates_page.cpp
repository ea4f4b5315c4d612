// Measures the duplicates page over 5,000 groups of real copies: the time from its creation to
// its first paint, the time until every group has its panel, and the longest stop of the main
// thread meanwhile, noted by a 1 ms timer (a frame is 16 ms: no gap should pass it):
//   duplicates_page [work-folder]
// The copies, the state file and a scratch HOME go in work-folder (by default a new folder in the
// current one, removed at the end); it must lie outside /tmp, which the application refuses as a
// source. Offscreen unless QT_QPA_PLATFORM says otherwise.
#include "ScreenBench.h"
#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/shell/DialogFolderPanel.h"
#include "core/persistence/StateStore.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"

#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

using namespace tollenvane;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int groupCount = 5000;
constexpr auto frame = 16ms;
constexpr auto patience = 30min;

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Two copies per group, each group's content its own, of growing sizes.
void writeCopies(const fs::path& corpus)
{
    for (int group = 0; group < groupCount; ++group) {
        const fs::path folder = corpus / std::to_string(group / 100) / std::to_string(group);
        fs::create_directories(folder);
        const std::string content =
            "group " + std::to_string(group) + std::string(100 + group, '.');
        for (const char* name : {"photo.jpg", "photo copy.jpg"}) {
            std::ofstream(folder / name, std::ios::binary) << content;
        }
    }
}

// Notes when a widget of the page first paints.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(const QWidget& page)
        : page_(page)
    {}

    std::optional<Clock::time_point> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted && watched->isWidgetType() &&
            page_.isAncestorOf(static_cast<QWidget*>(watched))) {
            painted = Clock::now();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QWidget& page_;
};

void measure(AppModel& model)
{
    Clock::time_point last;
    Clock::duration longest{};
    Clock::duration longestAt{};
    Clock::time_point start;
    int overFrame = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(1ms);
    const auto tick = [&] {
        const Clock::time_point now = Clock::now();
        if (now - last > longest) {
            longest = now - last;
            longestAt = now - start;
        }
        overFrame += now - last > frame ? 1 : 0;
        last = now;
    };
    QObject::connect(&ticks, &QTimer::timeout, tick);

    start = last = Clock::now();
    ticks.start();
    QWidget window;
    auto* page = new DuplicatesPage(model, &window);
    PaintWatch paints(*page);
    QCoreApplication::instance()->installEventFilter(&paints);
    (new QVBoxLayout(&window))->addWidget(page);
    window.resize(1100, 800);
    window.show();

    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (page->complete() && paints.painted) {
            loop.quit();
        }
    });
    check.start(1ms);

    QTimer::singleShot(patience, &loop, [&loop] { loop.exit(1); });
    if (loop.exec() != 0) {
        throw std::runtime_error("the page did not fill in time");
    }
    const Clock::time_point full = Clock::now();
    tick();
    ticks.stop();

    std::cout << std::fixed << std::setprecision(1) << model.duplicateGroups().size()
              << " groups: first paint after " << milliseconds(*paints.painted - start)
              << " ms, full list after " << milliseconds(full - start) << " ms; longest stall "
              << milliseconds(longest) << " ms (ending " << milliseconds(longestAt)
              << " ms after the start); gaps over 16 ms: " << overFrame << std::endl;
}

void run(const fs::path& work)
{
    const fs::path corpus = work / "corpus";
    writeCopies(corpus);
    AppModel model(StateStore((work / "data/state.json").string()),
                   ModelServices::system(std::make_shared<DialogFolderPanel>()));
    bench::waitUntil(model, &AppModel::loadingChanged, [&model] { return !model.loading(); });
    Preferences preferences = model.state().preferences;
    preferences.onboardingComplete = true;
    model.setPreferences(preferences);
    model.addFolder(corpus.string(), false);
    model.scan();
    bench::waitUntil(model, &AppModel::scanningChanged, [&model] { return !model.scanning(); });
    model.findDuplicates();
    bench::waitUntil(model, &AppModel::findingDuplicatesChanged,
                     [&model] { return !model.findingDuplicates(); });
    if (model.duplicateGroups().size() != groupCount) {
        throw std::runtime_error("the search found " +
                                 std::to_string(model.duplicateGroups().size()) + " groups");
    }

    measure(model);

    bench::closeModel(model);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: duplicates_page [work-folder]\n";
        return 2;
    }
    const bool ownWork = argc < 2;
    const fs::path work = fs::absolute(
        ownWork ? fs::path("duplicates-page-" + std::to_string(getpid())) : fs::path(argv[1]));
    return bench::runScreenBench("duplicates_page", argc, argv, work, ownWork, [&] { run(work); });
}
