// Measures what one frame of a card drag costs on the review screen: a session of two pictures
// is opened, the top card is dragged across in small steps, and each step is timed from the
// pointer event to the end of its repaint. The press, which takes the pictures the drag then
// moves, is timed on its own: nothing moves on screen during it.
//   deck_frames [work-folder]
// The pictures, the state file and a scratch HOME go in work-folder (by default a new folder in
// the current one, removed at the end; /tmp is refused as a source). Offscreen unless
// QT_QPA_PLATFORM says otherwise. The target is a worst frame under 8 ms.
#include "ScreenBench.h"
#include "app/deck/DeckView.h"
#include "app/deck/ReviewScreen.h"
#include "app/deck/SwipeMotionCard.h"
#include "app/kit/FileRevealer.h"
#include "app/shell/DialogFolderPanel.h"
#include "core/persistence/StateStore.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"

#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QStyleFactory>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iomanip>
#include <iostream>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace {

using namespace tollenvane;
namespace fs = std::filesystem;

constexpr int steps = 120;
constexpr int dragWidth = 420;

class NoRevealer final : public FileRevealer {
public:
    void reveal(const std::string&) override {}
};

void writePicture(const fs::path& path, int width, int height, int hue)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixelColor(x, y, QColor::fromHsv((hue + x / 10) % 360, 120, 80 + y % 150));
        }
    }
    if (!picture.save(QString::fromStdString(path.string()))) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// Runs the event loop until `done` holds, for at most ten seconds.
void waitUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10'000) {
            throw std::runtime_error("the model did not answer in time");
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void send(QWidget& target, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons buttons, quint64 timestamp)
{
    QMouseEvent event(type, at, target.mapToGlobal(at), button, buttons, Qt::NoModifier);
    event.setTimestamp(timestamp);
    QCoreApplication::sendEvent(&target, &event);
}

// The main thread's own processor time: unlike the wall clock, other work on a busy machine
// does not count in it.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(const fs::path& work)
{
    const fs::path pictures = work / "home/Pictures";
    fs::create_directories(pictures);
    writePicture(pictures / "Paysage.png", 2400, 1600, 200);
    writePicture(pictures / "Portrait.png", 1600, 2000, 20);

    AppModel model(StateStore((work / "state.json").string()),
                   ModelServices::system(std::make_shared<DialogFolderPanel>()));
    waitUntil([&] { return !model.loading(); });
    Preferences preferences = model.state().preferences;
    preferences.onboardingComplete = true;
    preferences.sounds = false;
    model.setPreferences(preferences);
    model.addFolder(pictures.string(), false);
    waitUntil([&] { return !model.statuses().empty() && !model.scanning(); });
    model.scan();
    waitUntil([&] { return !model.scanning() && model.indexedCount() >= 2; });
    model.startSession();
    waitUntil([&] { return model.sessionActive() && model.pending().remaining().size() == 2; });

    NoRevealer revealer;
    QWidget window;
    window.resize(1200, 860);
    auto* screen = new ReviewScreen(model, revealer, &window);
    screen->resize(window.size());
    window.show();
    // The thumbnails are made on worker threads.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    DeckView& deck = screen->deck();
    SwipeMotionCard& card = *deck.card(deck.paths().back());
    const QPointF start = QRectF(card.faceGeometry()).center();
    quint64 timestamp = 1'000;
    QElapsedTimer pressClock;
    pressClock.start();
    send(card, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, timestamp);
    QCoreApplication::processEvents();
    const double press = double(pressClock.nsecsElapsed()) / 1e6;

    std::vector<double> frames;
    std::vector<double> busy;
    QElapsedTimer clock;
    for (int step = 1; step <= steps; ++step) {
        timestamp += 16;
        const QPointF at = start + QPointF(double(dragWidth) * step / steps, step % 7 - 3);
        clock.start();
        const double cpu = threadMilliseconds();
        send(card, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, timestamp);
        QCoreApplication::processEvents();
        frames.push_back(double(clock.nsecsElapsed()) / 1e6);
        busy.push_back(threadMilliseconds() - cpu);
    }
    // A slow release springs the card back; nothing is decided.
    send(card, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton, timestamp + 500);

    const std::vector<double> rest(frames.begin() + 1, frames.end());
    std::cout << std::fixed << std::setprecision(2) << "deck drag, " << steps << " frames at "
              << window.width() << "x" << window.height() << ", card " << deck.frame().width()
              << "x" << deck.frame().height() << ":\n"
              << "  press (takes the pictures the drag moves): " << press << " ms\n"
              << "  first frame: " << frames.front() << " ms\n"
              << "  worst of the others: " << *std::max_element(rest.begin(), rest.end())
              << " ms, median " << median(rest) << " ms, mean "
              << std::accumulate(rest.begin(), rest.end(), 0.0) / double(rest.size()) << " ms\n"
              << "  worst frame: " << *std::max_element(frames.begin(), frames.end())
              << " ms (target under 8 ms)\n"
              << "  main thread's processor time per frame: worst "
              << *std::max_element(busy.begin(), busy.end()) << " ms, median " << median(busy)
              << " ms" << std::endl;
    model.shutdown();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: deck_frames [work-folder]\n";
        return 2;
    }
    const bool ownWork = argc < 2;
    const fs::path work = ownWork ? fs::current_path() / ("deck-frames-" + std::to_string(getpid()))
                                  : fs::absolute(argv[1]);
    return bench::runScreenBench("deck_frames", argc, argv, work, ownWork, [&] { measure(work); });
}
