// Measures the screens' other lists of uncapped length, each given N items (10,000 unless told):
//   long_lists [--items N] [work-folder]
// past sessions on the history page, rows of the storage explorer opened on a folder of N
// files, installed applications and the data N removed applications left behind on the
// applications page, and source folders on the sources page, last as by far the slowest. For
// each list it prints the time from building its page to the page's first paint, the longest gap
// between the ticks of a 1 ms timer from then until its list is full and a second has passed, and
// the heap the page holds. The folders, the state file and a scratch HOME go in work-folder (by
// default a new folder in the current one, removed at the end); it must lie outside /tmp, which the
// application refuses as a source. Offscreen unless QT_QPA_PLATFORM says otherwise.
#include "PageMeasure.h"
#include "ScreenBench.h"
#include "app/design/ElidedLabel.h"
#include "app/kit/FileRevealer.h"
#include "app/kit/LinkOpener.h"
#include "app/kit/PageServices.h"
#include "app/screens/applications/ApplicationsPage.h"
#include "app/screens/history/HistoryPage.h"
#include "app/screens/sources/SourcesPage.h"
#include "app/screens/storage/StorageExplorer.h"
#include "app/shell/DialogFolderPanel.h"
#include "app/shell/PageFactory.h"
#include "core/persistence/StateStore.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"

#include <QAbstractButton>
#include <QScrollBar>
#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace {

using namespace tollenvane;
using namespace tollenvane::bench;
using Clock = tollenvane::bench::Clock;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

class NoDesktop final : public FileRevealer, public LinkOpener {
public:
    void reveal(const std::string&) override {}
    void openFolder(const std::string&) override {}
    void openUrl(const QUrl&) override {}
};

// Builds a page in a frame of the window's size and reports on it.
void measure(
    std::string_view list, const char* name, const std::function<std::unique_ptr<QWidget>()>& make,
    const std::function<bool()>& full = [] { return true; })
{
    QWidget frame;
    frame.resize(1000, 800);
    frame.show();
    QCoreApplication::processEvents();
    const std::size_t before = heapInUse();
    PaintWatch paint{QString::fromLatin1(name)};
    StallRecorder stalls;
    stalls.start();
    paint.arm();
    std::unique_ptr<QWidget> page = make();
    page->setParent(&frame);
    page->resize(frame.size());
    page->show();
    spinUntil([&] { return paint.took().has_value() && full(); });
    const Clock::time_point settled = Clock::now() + 1s;
    spinUntil([&] { return Clock::now() > settled; });
    stalls.stop();
    const std::size_t shown = heapInUse();
    std::cout << list << ": first paint " << milliseconds(*paint.took()) << " ms, longest stall "
              << milliseconds(stalls.longest()) << " ms (own time "
              << milliseconds(stalls.longestOwn()) << " ms), memory " << mebibytes(shown, before)
              << " MiB" << std::endl;
}

// Gives each application bundle a size of its own, so that the largest-first order places the
// applications one by one all over the list as they arrive.
void fillBundles(const fs::path& work, int items)
{
    for (int item = 0; item < items; ++item) {
        const fs::path bundle =
            work / "home/Applications" / ("App " + std::to_string(item) + ".app") / "Contents";
        fs::create_directories(bundle);
        std::ofstream(bundle / "program") << std::string(std::size_t(item) * 7919 % 4096, 'x');
    }
}

// Scrolls `page` from its top to its bottom, half a view at a time, one step per turn of the
// event loop.
void scrollThrough(QScrollArea& page)
{
    QScrollBar& bar = *page.verticalScrollBar();
    bar.setValue(0);
    const int step = std::max(1, page.viewport()->height() / 2);
    while (bar.value() < bar.maximum()) {
        bar.setValue(bar.value() + step);
        QCoreApplication::processEvents();
    }
}

// The applications page shown before any inventory: it lists the N applications as they are
// read, then the user opens the leftover data and searches it, N folders. Then the page is
// scrolled from top to bottom and left for the dashboard.
void measureApplications(AppModel& model, int items)
{
    const std::string count = " (" + std::to_string(items) + ")";
    NoDesktop desktop;
    const PageServices services{model, desktop, desktop};
    QWidget frame;
    frame.resize(1000, 800);
    frame.show();
    QCoreApplication::processEvents();
    const std::size_t before = heapInUse();
    PaintWatch paint{QStringLiteral("page-applications")};
    std::optional<Clock::time_point> firstBatch;
    const QMetaObject::Connection batches =
        QObject::connect(&model, &AppModel::applicationsChanged, [&] {
            if (!firstBatch && !model.applications().empty()) {
                firstBatch = Clock::now();
            }
        });
    StallRecorder stalls;
    stalls.start();
    paint.arm();
    auto page = std::make_unique<ApplicationsPage>(services);
    page->setParent(&frame);
    page->resize(frame.size());
    page->show();
    auto* disclosure = page->findChild<QAbstractButton*>(QStringLiteral("disclosure"));
    auto* search = page->findChild<QAbstractButton*>(QStringLiteral("searchAppData"));
    auto* shown = page->findChild<ElidedLabel*>(QStringLiteral("count"));
    if (disclosure == nullptr || search == nullptr || shown == nullptr) {
        throw std::runtime_error("the applications page lacks its controls");
    }
    disclosure->click();
    const QString all = QString::number(items);
    spinUntil([&] {
        // Once every application is listed, as the search then looks past the installed ones.
        if (firstBatch && !model.scanningApplications() && !model.scanningAppData() &&
            model.appData().entries.empty() && search->isEnabled()) {
            search->click();
        }
        return paint.took().has_value() && shown->text() == all && !model.scanningAppData() &&
               model.appData().entries.size() == std::size_t(items);
    });
    QCoreApplication::processEvents(); // the page shows the report
    const Clock::duration listed = Clock::now() - firstBatch.value_or(Clock::now());
    QObject::disconnect(batches);
    scrollThrough(*page);
    stalls.stop();
    const std::size_t full = heapInUse();

    PaintWatch next{QStringLiteral("page-dashboard")};
    next.arm();
    page.reset();
    std::unique_ptr<QWidget> dashboard = PageFactory::make(Page::dashboard, services);
    dashboard->setParent(&frame);
    dashboard->resize(frame.size());
    dashboard->show();
    spinUntil([&] { return next.took().has_value(); });
    std::cout << "applications and leftover data" << count << ": first paint "
              << milliseconds(*paint.took()) << " ms, longest stall "
              << milliseconds(stalls.longest()) << " ms (own time "
              << milliseconds(stalls.longestOwn()) << " ms), memory " << mebibytes(full, before)
              << " MiB, page change " << milliseconds(*next.took()) << " ms" << std::endl;
    std::cout << "applications listed" << count << ": " << milliseconds(listed) << " ms"
              << std::endl;
}

SavedState savedState(int items, const fs::path& work, const GrantResolver& grants)
{
    SavedState state;
    state.preferences.onboardingComplete = true;
    for (int item = 0; item < items; ++item) {
        const fs::path folder = work / "home/Sources" / ("Folder " + std::to_string(item));
        fs::create_directories(folder);
        state.sources.push_back(grants.grant(fs::canonical(folder).string(), false));
        SessionSummary session = SessionSummary::start();
        session.kept = item;
        session.trashed = item % 7;
        session.trashBytes = item * 1000;
        state.history.push_back(session);
        const std::string id = "com.example.app" + std::to_string(item);
        fs::create_directories(work / "home/.local/share" / id);
        std::ofstream(work / "home/.local/share" / id / "data") << id;
        state.removedApplications.push_back({id, "App " + std::to_string(item), ""});
        fs::create_directories(work / "home/Applications" /
                               ("App " + std::to_string(item) + ".app"));
    }
    const fs::path files = work / "home/Files";
    fs::create_directories(files);
    for (int item = 0; item < items; ++item) {
        std::ofstream(files / ("file " + std::to_string(item) + ".txt"))
            << std::string(100 + item, 'x');
    }
    state.sources.push_back(grants.grant(fs::canonical(files).string(), false));
    return state;
}

void run(int items, const fs::path& work)
{
    ModelServices services = ModelServices::system(std::make_shared<DialogFolderPanel>());
    const std::string applications = (work / "home/Applications").string();
    services.applicationScan = [applications] { return ApplicationCursor({applications}); };
    const std::string path = (work / "data/state.json").string();
    StateStore(path).save(savedState(items, work, *services.grants));
    fillBundles(work, items);
    AppModel model(StateStore(path), std::move(services));
    waitUntil(model, &AppModel::loadingChanged, [&model] { return !model.loading(); });
    model.scan();
    waitUntil(model, &AppModel::scanningChanged, [&model] { return !model.scanning(); });
    NoDesktop desktop;
    const std::string count = " (" + std::to_string(items) + ")";

    measure("history" + count, "page-history",
            [&] { return std::make_unique<HistoryPage>(model); });

    model.openStorageFolder(fs::canonical(work / "home/Files").string());
    waitUntil(model, &AppModel::storageNodesChanged,
              [&] { return model.storageNodes().size() >= static_cast<std::size_t>(items); });
    measure("explorer rows" + count, "storageExplorer",
            [&] { return std::make_unique<StorageExplorer>(model, desktop, items + 8); });

    measureApplications(model, items);
    measure("sources" + count, "page-sources",
            [&] { return std::make_unique<SourcesPage>(model, desktop); });
    closeModel(model);
}

} // namespace

int main(int argc, char** argv)
{
    const auto arguments = PageBenchArguments::parse(argc, argv, "--items", 10'000, "long-lists");
    if (!arguments) {
        std::cerr << "usage: long_lists [--items N] [work-folder]\n";
        return 2;
    }
    return runScreenBench("long_lists", argc, argv, arguments->work, arguments->ownWork,
                          [&] { run(arguments->count, arguments->work); });
}
