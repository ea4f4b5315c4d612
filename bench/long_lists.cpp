// Measures the screens' other lists of uncapped length, each given N items (10,000 unless told):
//   long_lists [--items N] [work-folder]
// past sessions on the history page, rows of the storage explorer opened on a folder of N
// files, installed applications and the data N removed applications left behind on the
// applications page, source folders on the sources page, and the N copies of one duplicate
// group on the duplicates page. For each list it prints, in a frame of the window's size: the time
// from building its page to the first painted row, the longest gap between the ticks of a 1 ms
// timer from then until its list is full, scrolled from top to bottom a screen at a time and a
// second has passed (with the main thread's own processor time in the longest gap), the heap the
// page then holds, and the time from leaving it to the dashboard's first paint. Then the longest
// stall of a press of "Afficher plus d’éléments" with 5,000 rows already shown, the longest
// stall of coming back to the applications page once every application is listed, and the load
// average around it all. The folders, the state file and a scratch HOME go in work-folder (by
// default a new folder in the current one, removed at the end); it must lie outside /tmp, which
// the application refuses as a source.
// Offscreen unless QT_QPA_PLATFORM says otherwise.
#include "PageMeasure.h"
#include "ScreenBench.h"
#include "app/kit/FileRevealer.h"
#include "app/kit/LinkOpener.h"
#include "app/kit/PageScaffold.h"
#include "app/kit/PageServices.h"
#include "app/kit/VirtualList.h"
#include "app/screens/applications/ApplicationsPage.h"
#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/screens/history/HistoryPage.h"
#include "app/screens/sources/SourcesPage.h"
#include "app/screens/storage/StorageExplorer.h"
#include "app/shell/DialogFolderPanel.h"
#include "app/shell/PageFactory.h"
#include "core/persistence/StateStore.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"

#include <QAbstractButton>
#include <QMetaObject>
#include <QScrollArea>
#include <QUrl>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
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

// A page whose list is full once it holds `items` items.
struct ListPage {
    std::function<std::unique_ptr<QScrollArea>()> make;
    // The list, found by name, and the number of items it holds when full.
    const char* list;
    std::size_t items;
    // Asked on each turn until it holds, besides the count: what else the page waits for, and
    // what the user does meanwhile.
    std::function<bool(QScrollArea& page)> ready = {};
};

// The page made by the window's factory, filling `frame`, shown.
std::unique_ptr<QWidget> showIn(QWidget& frame, Page page, const PageServices& services)
{
    std::unique_ptr<QWidget> shown = PageFactory::make(page, services);
    shown->setParent(&frame);
    shown->resize(frame.size());
    shown->show();
    return shown;
}

// Runs the event loop for a second, for what is shown to settle.
void settle()
{
    const Clock::time_point settled = Clock::now() + 1s;
    spinUntil([&] { return Clock::now() > settled; });
}

// Builds a page in a frame of the window's size, waits for its list to fill and scrolls it from
// top to bottom, then leaves it for the dashboard.
void measureList(std::string_view name, const ListPage& shown, const PageServices& services)
{
    QWidget frame;
    frame.resize(1000, 800);
    frame.show();
    QCoreApplication::processEvents();
    const std::size_t before = heapInUse();
    PaintWatch paint{QString::fromLatin1(shown.list)};
    StallRecorder stalls;
    stalls.start();
    paint.arm();
    std::unique_ptr<QScrollArea> page = shown.make();
    page->setParent(&frame);
    page->resize(frame.size());
    page->show();
    const auto full = [&] {
        const auto* list = page->findChild<VirtualList*>(QString::fromLatin1(shown.list));
        return list != nullptr && list->count() >= shown.items &&
               (!shown.ready || shown.ready(*page));
    };
    spinUntil([&] { return paint.took().has_value() && full(); });
    scrollToEnd(*page);
    settle();
    stalls.stop();
    const std::size_t held = heapInUse();

    PaintWatch dashboardPaint(QStringLiteral("page-dashboard"));
    dashboardPaint.arm();
    page.reset();
    const std::unique_ptr<QWidget> dashboard = showIn(frame, Page::dashboard, services);
    spinUntil([&] { return dashboardPaint.took().has_value(); });
    std::cout << name << ": first paint " << milliseconds(*paint.took()) << " ms, longest stall "
              << milliseconds(stalls.longest()) << " ms (own time "
              << milliseconds(stalls.longestOwn()) << " ms), memory " << mebibytes(held, before)
              << " MiB, page change " << milliseconds(*dashboardPaint.took()) << " ms" << std::endl;
}

// The window shows the dashboard before any other page: fonts, symbols and styles are loaded by
// then, not by the first list measured.
void warmUp(const PageServices& services)
{
    QWidget frame;
    frame.resize(1000, 800);
    frame.show();
    const std::unique_ptr<QWidget> dashboard = showIn(frame, Page::dashboard, services);
    settle();
}

// The explorer on a page of its own, as the space page holds it.
std::unique_ptr<QScrollArea> explorerPage(AppModel& model, FileRevealer& revealer, int limit)
{
    auto page = std::make_unique<PageScaffold>(Page::space, 24, 36);
    page->addBlock(new StorageExplorer(model, revealer, limit));
    return page;
}

// A press of "Afficher plus d’éléments" at the end of a list of `rows` rows, until the rows it
// adds are painted and a second has passed.
void measureShowMore(AppModel& model, FileRevealer& revealer, int rows)
{
    QWidget frame;
    frame.resize(1000, 800);
    frame.show();
    std::unique_ptr<QScrollArea> page = explorerPage(model, revealer, rows);
    page->setParent(&frame);
    page->resize(frame.size());
    page->show();
    const auto* list = page->findChild<VirtualList*>(QStringLiteral("storageList"));
    spinUntil([&] { return list->count() >= static_cast<std::size_t>(rows); });
    scrollToEnd(*page);
    auto& more = *page->findChild<QAbstractButton*>(QStringLiteral("moreButton"));
    PaintWatch paint{QStringLiteral("storageList")};
    StallRecorder stalls;
    stalls.start();
    paint.arm();
    more.click();
    spinUntil([&] { return list->count() > static_cast<std::size_t>(rows) && paint.took(); });
    settle();
    stalls.stop();
    std::cout << "explorer show more (" << rows << " rows shown): longest stall "
              << milliseconds(stalls.longest()) << " ms (own time "
              << milliseconds(stalls.longestOwn()) << " ms)" << std::endl;
}

// The folder of `items` identical copies, found by a search for duplicates.
void findCopies(AppModel& model, int items, const fs::path& work)
{
    const fs::path copies = work / "home/Copies";
    fs::create_directories(copies);
    for (int item = 0; item < items; ++item) {
        std::ofstream(copies / ("copy " + std::to_string(item) + ".txt")) << "the same content";
    }
    model.addFolder(fs::canonical(copies).string(), false);
    waitUntil(model, &AppModel::scanningChanged, [&model] { return !model.scanning(); });
    model.scan();
    waitUntil(model, &AppModel::scanningChanged, [&model] { return !model.scanning(); });
    model.findDuplicates();
    waitUntil(model, &AppModel::findingDuplicatesChanged,
              [&model] { return !model.findingDuplicates(); });
}

// The lists that stand on the virtual list: history, explorer rows, sources, copies.
void measureHistory(AppModel& model, const PageServices& services, std::size_t items,
                    const std::string& count)
{
    measureList("history" + count,
                {[&] { return std::make_unique<HistoryPage>(model); }, "sessionList", items},
                services);
}

void measureExplorerRows(AppModel& model, const PageServices& services, FileRevealer& revealer,
                         int items, const std::string& count)
{
    measureList("explorer rows" + count,
                {[&] { return explorerPage(model, revealer, items + 8); }, "storageList",
                 static_cast<std::size_t>(items)},
                services);
}

void measureSources(AppModel& model, const PageServices& services, LinkOpener& links,
                    std::size_t items, const std::string& count)
{
    measureList(
        "sources" + count,
        {[&] { return std::make_unique<SourcesPage>(model, links); }, "sourcePanels", items},
        services);
}

void measureCopies(AppModel& model, const PageServices& services, int items, const fs::path& work,
                   const std::string& count)
{
    findCopies(model, items, work);
    measureList("copies of one duplicate group" + count,
                {[&] { return std::make_unique<DuplicatesPage>(model); }, "copyList",
                 static_cast<std::size_t>(items)},
                services);
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

// The applications page shown before any inventory: it lists the N applications as they are
// read, then the user opens the leftover data and, once every application is listed, searches
// it: N folders. Returns the time from the first inventory batch to both lists full.
Clock::duration measureApplications(AppModel& model, const PageServices& services, int items,
                                    const std::string& count)
{
    std::optional<Clock::time_point> firstBatch;
    std::optional<Clock::duration> listed;
    const QMetaObject::Connection batches =
        QObject::connect(&model, &AppModel::applicationsChanged, [&] {
            if (!firstBatch && !model.applications().empty()) {
                firstBatch = Clock::now();
            }
        });
    const auto ready = [&](QScrollArea& page) {
        auto& disclosure = *page.findChild<QAbstractButton*>(QStringLiteral("disclosure"));
        auto& search = *page.findChild<QAbstractButton*>(QStringLiteral("searchAppData"));
        const auto* leftovers = page.findChild<VirtualList*>(QStringLiteral("appDataEntries"));
        if (!disclosure.isChecked()) {
            disclosure.click();
        }
        // The search then looks past every installed application.
        if (firstBatch && !model.scanningApplications() && !model.scanningAppData() &&
            model.appData().entries.empty() && search.isEnabled()) {
            search.click();
        }
        if (!listed && leftovers->count() >= std::size_t(items)) {
            listed = Clock::now() - *firstBatch;
        }
        return listed.has_value();
    };
    measureList("applications and leftover data" + count,
                {.make = [&] { return std::make_unique<ApplicationsPage>(services); },
                 .list = "applicationList",
                 .items = std::size_t(items),
                 .ready = ready},
                services);
    QObject::disconnect(batches);
    return *listed;
}

// The applications page shown again over the N applications already listed, as when the user
// comes back to it from the dashboard: the longest stall from leaving the dashboard until the
// list is painted full and a second has passed.
void measureApplicationsAgain(const PageServices& services, std::size_t items,
                              const std::string& count)
{
    QWidget frame;
    frame.resize(1000, 800);
    frame.show();
    std::unique_ptr<QWidget> dashboard = showIn(frame, Page::dashboard, services);
    settle();

    PaintWatch paint{QStringLiteral("applicationList")};
    StallRecorder stalls;
    stalls.start();
    paint.arm();
    dashboard.reset();
    const std::unique_ptr<QWidget> page = showIn(frame, Page::applications, services);
    const auto* list = page->findChild<VirtualList*>(QStringLiteral("applicationList"));
    spinUntil([&] { return paint.took().has_value() && list->count() >= items; });
    settle();
    stalls.stop();
    std::cout << "applications page re-entered" << count << ": longest stall "
              << milliseconds(stalls.longest()) << " ms (own time "
              << milliseconds(stalls.longestOwn()) << " ms)" << std::endl;
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

// The one-minute load average: the machine may be shared, and the stalls mean little on a busy
// one.
double load()
{
    double average = 0;
    return getloadavg(&average, 1) == 1 ? average : -1;
}

void run(int items, const fs::path& work)
{
    const double loadBefore = load();
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

    const PageServices pageServices{model, desktop, desktop};
    warmUp(pageServices);
    measureHistory(model, pageServices, model.state().history.size(), count);

    model.openStorageFolder(fs::canonical(work / "home/Files").string());
    waitUntil(model, &AppModel::storageNodesChanged,
              [&] { return model.storageNodes().size() >= static_cast<std::size_t>(items); });
    measureExplorerRows(model, pageServices, desktop, items, count);

    const Clock::duration listed = measureApplications(model, pageServices, items, count);
    measureSources(model, pageServices, desktop, model.state().sources.size(), count);
    measureCopies(model, pageServices, items, work, count);
    measureShowMore(model, desktop, std::min(5'000, items / 2));
    std::cout << "applications listed" << count << ": " << milliseconds(listed) << " ms ("
              << model.applications().size() << " applications, " << model.appData().entries.size()
              << " leftover folders)" << std::endl;
    measureApplicationsAgain(pageServices, model.applications().size(), count);
    std::cout << "load average " << loadBefore << " before, " << load() << " after" << std::endl;
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
