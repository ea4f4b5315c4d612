// Measures the duplicates page in the application's window over groups of real copies:
//   duplicates_page [--groups N] [work-folder]        (20,000 groups unless given)
// and prints, one line each:
//   first paint    from the search's groups reaching the model to the first painted group;
//   longest stall  the longest gap between the ticks of a 1 ms timer while the search runs, its
//                  groups arrive and the page is scrolled from top to bottom a screen at a time
//                  (a frame is 16 ms: no gap should pass it), and the longest of the main
//                  thread's own processor time in a gap, without the waits a busy machine adds;
//   page memory    the heap a second page over the same groups holds once scrolled to its end;
//   page change    from a click on the sidebar's dashboard row to the dashboard's first paint;
//   kept after leaving  what of that heap is still in use once the second page is gone.
// The copies, the state file and a scratch HOME go in work-folder (by default a new folder in the
// current one, removed at the end); it must lie outside /tmp, which the application refuses as a
// source. Offscreen unless QT_QPA_PLATFORM says otherwise.
#include "PageMeasure.h"
#include "ScreenBench.h"
#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/shell/DialogFolderPanel.h"
#include "app/shell/MainWindow.h"
#include "core/persistence/StateStore.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QScrollArea>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using namespace tollenvane;
using namespace std::chrono_literals;
using namespace tollenvane::bench;
using Clock = tollenvane::bench::Clock;
namespace fs = std::filesystem;

// Two copies per group, each group's content its own.
void writeCopies(const fs::path& corpus, int groups)
{
    for (int group = 0; group < groups; ++group) {
        const fs::path folder = corpus / std::to_string(group / 100) / std::to_string(group);
        fs::create_directories(folder);
        const std::string content = "group " + std::to_string(group) + std::string(100, '.');
        for (const char* name : {"photo.jpg", "photo copy.jpg"}) {
            std::ofstream(folder / name, std::ios::binary) << content;
        }
    }
}

void run(int groups, const fs::path& work)
{
    const fs::path corpus = work / "corpus";
    writeCopies(corpus, groups);
    AppModel model(StateStore((work / "data/state.json").string()),
                   ModelServices::system(std::make_shared<DialogFolderPanel>()));
    MainWindow window(model, [] {});
    window.resize(MainWindow::defaultSize);
    window.show();
    bench::waitUntil(model, &AppModel::loadingChanged, [&model] { return !model.loading(); });
    Preferences preferences = model.state().preferences;
    preferences.onboardingComplete = true;
    model.setPreferences(preferences);
    model.addFolder(corpus.string(), false);
    model.scan();
    bench::waitUntil(model, &AppModel::scanningChanged, [&model] { return !model.scanning(); });
    QCoreApplication::processEvents();

    PaintWatch groupPaint(QStringLiteral("groupPanel"));
    PaintWatch dashboardPaint(QStringLiteral("page-dashboard"));
    QObject::connect(&model, &AppModel::duplicateGroupsChanged, [&] { groupPaint.arm(); });
    StallRecorder stalls;
    stalls.start();
    model.findDuplicates();
    spinUntil([&] { return !model.findingDuplicates() && groupPaint.took(); });
    if (model.duplicateGroups().size() != static_cast<std::size_t>(groups)) {
        throw std::runtime_error("the search found " +
                                 std::to_string(model.duplicateGroups().size()) + " groups");
    }
    const Clock::duration firstPaint = *groupPaint.took();
    scrollToEnd(*window.findChild<QScrollArea*>(QStringLiteral("page-duplicates")));
    stalls.stop();

    auto& dashboardRow = *window.findChild<QAbstractButton*>(QStringLiteral("nav-dashboard"));
    dashboardPaint.arm();
    dashboardRow.click();
    spinUntil([&] { return dashboardPaint.took().has_value(); });
    const Clock::duration pageChange = *dashboardPaint.took();

    // The page on its own, in a frame of the window's size painted before it comes.
    QWidget frame;
    frame.resize(window.centralWidget()->size());
    frame.show();
    QCoreApplication::processEvents();
    const std::size_t before = heapInUse();
    auto page = std::make_unique<DuplicatesPage>(model, &frame);
    page->resize(frame.size());
    page->show();
    scrollToEnd(*page);
    const std::size_t shown = heapInUse();
    page.reset();
    QCoreApplication::processEvents();
    const std::size_t after = heapInUse();

    std::cout << "first paint: " << milliseconds(firstPaint) << " ms\n"
              << "longest stall: " << milliseconds(stalls.longest()) << " ms\n"
              << "longest stall, main thread's own time: " << milliseconds(stalls.longestOwn())
              << " ms\n"
              << "page memory: " << mebibytes(shown, before) << " MiB\n"
              << "page change: " << milliseconds(pageChange) << " ms\n"
              << "kept after leaving: " << mebibytes(after, before) << " MiB" << std::endl;
    bench::closeModel(model);
}

} // namespace

int main(int argc, char** argv)
{
    const auto arguments =
        PageBenchArguments::parse(argc, argv, "--groups", 20'000, "duplicates-page");
    if (!arguments) {
        std::cerr << "usage: duplicates_page [--groups N] [work-folder]\n";
        return 2;
    }
    return runScreenBench("duplicates_page", argc, argv, arguments->work, arguments->ownWork,
                          [&] { run(arguments->count, arguments->work); });
}
