// Times the storage explorer over a large index: from a click on a folder's block to the painted
// map of its content, and the paint of one frame while the pointer hovers a block.
//   storage_explorer [records] [work-folder]   (1,000,000 records unless given)
// The records are synthetic, indexed as if the scan of one real folder had found them: 100
// project folders of 100 folders of 100 files. The work folder (by default a new one in the
// current folder, removed at the end) holds that folder, the state file and a scratch HOME; keep
// it outside /tmp, which the application refuses as a source. Targets: a click under 100 ms, a
// frame under 8 ms.
#include "ScreenBench.h"
#include "app/kit/FileRevealer.h"
#include "app/screens/storage/ExplorerRules.h"
#include "app/screens/storage/StorageExplorer.h"
#include "app/screens/storage/TreemapView.h"
#include "app/shell/DialogFolderPanel.h"
#include "core/base/FileUrl.h"
#include "core/base/Json.h"
#include "core/persistence/StateStore.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"

#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace tollenvane;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr std::size_t batchSize = 512;

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

class NoRevealer final : public FileRevealer {
public:
    void reveal(const std::string&) override {}
};

std::vector<std::vector<FileRecord>> synthetic(const std::string& root, std::size_t count)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kinds{
        {{"jpg", "image"}, {"mov", "video"}, {"pdf", "pdf"}, {"bin", "other"}}};
    std::mt19937_64 random(2026);
    std::vector<std::vector<FileRecord>> batches;
    for (std::size_t n = 0; n < count; ++n) {
        if (n % batchSize == 0) {
            batches.emplace_back().reserve(batchSize);
        }
        const auto& [extension, kind] = kinds[random() % kinds.size()];
        const std::size_t folder = n / 100;
        const std::string path = root + "/Projects " + std::to_string(folder / 100) + "/Folder " +
                                 std::to_string(folder % 100) + "/IMG_" + std::to_string(n) + "." +
                                 std::string(extension);
        const auto size = static_cast<std::int64_t>(random() % 40'000'000);
        Json json;
        json["url"] = fileUrl(path);
        json["size"] = size;
        json["allocatedSize"] = (size + 4095) / 4096 * 4096;
        json["linkCount"] = 1;
        json["created"] = distantPast;
        json["modified"] = 800'000'000.0;
        json["kind"] = kind;
        json["screenshot"] = false;
        json["available"] = true;
        json["device"] = 2049;
        json["inode"] = n + 10;
        json["changeSeconds"] = 1'700'000'000;
        json["changeNanoseconds"] = 0;
        batches.back().push_back(FileRecord::fromJson(json));
    }
    return batches;
}

void release(QWidget& widget, QPointF at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, {});
    QCoreApplication::sendEvent(&widget, &press);
    QMouseEvent up(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton, {}, {});
    QCoreApplication::sendEvent(&widget, &up);
}

QPointF blockOf(const TreemapView& map, std::string_view name)
{
    for (const TreemapRect& rect : map.layout()) {
        if (map.tiles()[rect.index].name == name) {
            return ExplorerRules::blockFrame(rect).center();
        }
    }
    throw std::runtime_error("no block for " + std::string(name));
}

// From the click to the painted map of the folder's content.
double timeClick(AppModel& model, TreemapView& map, std::string_view name)
{
    const QPointF at = blockOf(map, name);
    const Clock::time_point start = Clock::now();
    release(map, at);
    const std::optional<std::string> wanted = model.storagePath();
    bench::waitUntil(model, &AppModel::storageNodesChanged, [&] {
        return !model.storageNodes().empty() &&
               model.storageNodes().front().id.starts_with(*wanted + "/");
    });
    QCoreApplication::processEvents(); // the explorer's queued refresh
    map.repaint();
    return milliseconds(Clock::now() - start);
}

void run(std::size_t count, const fs::path& work)
{
    const fs::path source = work / "home/Corpus";
    fs::create_directories(source);
    std::ofstream(source / "readme.txt") << "the one real file";
    const std::string root = fs::canonical(source).string();
    std::cout << "building " << count << " synthetic records" << std::endl;
    auto extra = std::make_shared<std::vector<std::vector<FileRecord>>>(synthetic(root, count));

    ModelServices services = ModelServices::system(std::make_shared<DialogFolderPanel>());
    services.indexAppend = [extra](InsightAccumulator& index, std::vector<FileRecord> found) {
        FileInsights insights = index.append(std::move(found));
        for (std::vector<FileRecord>& batch : *extra) {
            insights = index.append(std::move(batch));
        }
        extra->clear();
        return insights;
    };
    AppModel model(StateStore((work / "state.json").string()), std::move(services));
    bench::waitUntil(model, &AppModel::loadingChanged, [&model] { return !model.loading(); });
    Preferences preferences = model.state().preferences;
    preferences.onboardingComplete = true;
    model.setPreferences(preferences);
    model.addFolder(source.string(), false);
    const Clock::time_point indexing = Clock::now();
    model.scan();
    bench::waitUntil(model, &AppModel::scanningChanged, [&model] { return !model.scanning(); });
    std::cout << "indexed " << model.indexedCount() << " files in " << std::fixed
              << std::setprecision(1) << milliseconds(Clock::now() - indexing) / 1000 << " s"
              << std::endl;

    NoRevealer revealer;
    QWidget window;
    auto* explorer = new StorageExplorer(model, revealer, ExplorerRules::initialLimit, &window);
    window.resize(960, 1100);
    explorer->resize(900, 1080);
    window.show();
    model.openStorageFolder(std::nullopt);
    bench::waitUntil(model, &AppModel::storageNodesChanged,
                     [&model] { return model.storageNodes().size() == 1; });
    QCoreApplication::processEvents();
    auto& map = *explorer->findChild<TreemapView*>("treemap");

    std::vector<double> clicks;
    for (int round = 0; round < 5; ++round) {
        clicks.push_back(timeClick(model, map, "Corpus"));
        const std::string folder = map.tiles()[static_cast<std::size_t>(round)].name;
        clicks.push_back(timeClick(model, map, folder));
        model.openStorageFolder(std::nullopt);
        bench::waitUntil(model, &AppModel::storageNodesChanged,
                         [&model] { return model.storageNodes().size() == 1; });
        QCoreApplication::processEvents();
    }
    std::sort(clicks.begin(), clicks.end());
    std::cout << "click to painted map: median " << clicks[clicks.size() / 2] << " ms, worst "
              << clicks.back() << " ms over " << clicks.size() << " clicks (target 100 ms)\n";

    timeClick(model, map, "Corpus");
    // The pointer goes from block to block: each move repaints the two blocks it changes.
    std::vector<double> moves;
    for (int move = 0; move < 300; ++move) {
        const TreemapRect& rect = map.layout()[static_cast<std::size_t>(move) % 8];
        const QPointF at = ExplorerRules::blockFrame(rect).center();
        QMouseEvent hover(QEvent::MouseMove, at, map.mapToGlobal(at), Qt::NoButton, {}, {});
        const Clock::time_point start = Clock::now();
        QCoreApplication::sendEvent(&map, &hover);
        QCoreApplication::processEvents(); // the paint of the changed blocks
        moves.push_back(milliseconds(Clock::now() - start));
    }
    // A whole frame with one block hovered, as after a resize.
    std::vector<double> frames;
    for (int frame = 0; frame < 300; ++frame) {
        const Clock::time_point start = Clock::now();
        map.repaint();
        frames.push_back(milliseconds(Clock::now() - start));
    }
    std::sort(moves.begin(), moves.end());
    std::sort(frames.begin(), frames.end());
    std::cout << std::setprecision(2) << "hover move (two blocks painted): median "
              << moves[moves.size() / 2] << " ms, worst " << moves.back() << " ms\n"
              << "whole map of " << map.layout().size() << " blocks, one hovered: median "
              << frames[frames.size() / 2] << " ms, worst " << frames.back()
              << " ms (target 8 ms)\n";

    model.shutdown();
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::stoul(argv[1]) : 1'000'000;
    // The clicks open five top folders of 10,000 records each, the hover walks eight blocks.
    if (count < 80'000) {
        std::cerr << "usage: storage_explorer [records, at least 80000] [work-folder]\n";
        return 2;
    }
    const bool ownWork = argc < 3;
    const fs::path work = fs::absolute(
        ownWork ? fs::path("storage-explorer-work-" + std::to_string(getpid())) : argv[2]);
    return bench::runScreenBench("storage_explorer", argc, argv, work, ownWork,
                                 [&] { run(count, work); });
}
