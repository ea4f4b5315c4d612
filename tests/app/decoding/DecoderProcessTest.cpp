#include "app/decoding/DecoderProcess.h"

#include "app/preview/AudioWaveform.h"
#include "app/preview/FileThumbnailer.h"
#include "preview/TestMedia.h"
#include "preview/Waiting.h"
#include "support/EnvironmentVariable.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <chrono>
#include <future>
#include <stdexcept>

namespace tollenvane {
namespace {

using test::TempDir;

// This process's error output sent to a file until the object goes, as when the application is
// started with `2>log` or by a session that logs to a file.
class ErrorOutputToFile {
public:
    explicit ErrorOutputToFile(const std::string& path)
        : saved_(::dup(STDERR_FILENO))
    {
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (saved_ < 0 || file < 0 || ::dup2(file, STDERR_FILENO) < 0) {
            throw std::runtime_error("cannot send the error output to " + path);
        }
        ::close(file);
    }
    ~ErrorOutputToFile()
    {
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    ErrorOutputToFile(const ErrorOutputToFile&) = delete;
    ErrorOutputToFile& operator=(const ErrorOutputToFile&) = delete;

private:
    int saved_;
};

struct StandInRun {
    bool endedUnaided = false;
    std::optional<QByteArray> output;
};

// Runs the stand-in decoder, with the decoder's limits and by default no deadline: only they can
// stop it. A run not over within a minute is abandoned, so that a missing limit fails the test
// rather than hanging it.
StandInRun runStandIn(const QStringList& arguments,
                      std::chrono::milliseconds deadline = std::chrono::hours(1))
{
    const TempDir folder;
    QFile input(QString::fromStdString(folder.write("input", "anything")));
    if (!input.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot open the stand-in's input");
    }
    std::atomic<bool> abandoned{false};
    auto running = std::async(std::launch::async, [&] {
        return DecoderProcess::run({QStringLiteral(TOLLENVANE_STAND_IN_DECODER), arguments}, input,
                                   abandoned, deadline);
    });
    const bool ended = running.wait_for(std::chrono::minutes(1)) == std::future_status::ready;
    abandoned = true;
    return {ended, running.get()};
}

// The decoder draws nothing on screen and keeps few malloc arenas under its memory cap, whatever
// the application itself runs on.
TEST(DecoderProcess, ItRunsOffscreenWithFewArenasWhateverTheApplicationRunsOn)
{
    const test::EnvironmentVariable platform("QT_QPA_PLATFORM", "xcb");
    const test::EnvironmentVariable arenas("MALLOC_ARENA_MAX", "64");
    const StandInRun told =
        runStandIn({QStringLiteral("environment"), QStringLiteral("QT_QPA_PLATFORM"),
                    QStringLiteral("MALLOC_ARENA_MAX")});
    EXPECT_EQ(told.output.value_or("").toStdString(),
              "QT_QPA_PLATFORM=offscreen\nMALLOC_ARENA_MAX=2\n");
}

// Abandoning a run ends its decoder at once, whatever it is doing: here nothing, without end, with
// no deadline to stop it.
TEST(DecoderProcess, AnAbandonedRunEndsItsDecoderAtOnce)
{
    const TempDir folder;
    QFile input(QString::fromStdString(folder.write("input", "anything")));
    ASSERT_TRUE(input.open(QIODevice::ReadOnly));
    const QLatin1String standIn("tollenvane_stan");
    std::atomic<bool> abandoned{false};
    auto running = std::async(std::launch::async, [&] {
        return DecoderProcess::run({QStringLiteral(TOLLENVANE_STAND_IN_DECODER), {"flood", "0"}},
                                   input, abandoned, std::chrono::hours(1));
    });
    ASSERT_TRUE(test::processUntil([&] { return test::runningChildren(standIn) == 1; }));
    abandoned = true;
    const bool ended = running.wait_for(std::chrono::minutes(1)) == std::future_status::ready;
    for (const pid_t left : test::childrenRunning(standIn)) {
        ::kill(left, SIGKILL);
    }
    EXPECT_TRUE(ended);
    EXPECT_FALSE(running.get().has_value());
    EXPECT_EQ(test::runningChildren(standIn), 0);
}

TEST(DecoderProcess, FramesWaveformsAndWarnedPicturesComeBackWhenTheErrorOutputIsAFile)
{
    // The media backend and the PNG reader both talk as they decode these.
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    const TempDir folder;
    const std::string video = folder.write("clip.mkv", test::redVideo({64, 48}, 3));
    constexpr int frames = 2 * 44'100;
    const auto rising = [](int frame, int) {
        return static_cast<float>(frame) / frames * (frame % 2 == 0 ? 1.0F : -1.0F);
    };
    const std::string sound =
        folder.write("rising.ogg", test::oggFlac(frames, rising).toStdString());
    const std::string picture =
        folder.write("warned.png", test::pngWithDamagedComment({40, 30}, Qt::green).toStdString());

    const ErrorOutputToFile log(folder / "errors.log");
    const FileThumbnailer thumbnailer;
    const QImage frame =
        thumbnailer.make(test::RecordSample{.path = video, .kind = "video"}.record());
    const std::atomic<bool> running{false};
    const std::vector<float> bars = readWaveform(sound, running);
    const QImage shown =
        thumbnailer.make(test::RecordSample{.path = picture, .kind = "image"}.record());

    EXPECT_FALSE(frame.isNull()) << "no frame";
    if (!frame.isNull()) {
        const QColor middle = frame.pixelColor(frame.width() / 2, frame.height() / 2);
        EXPECT_GT(middle.red(), 200);
        EXPECT_LT(middle.green(), 60);
    }
    EXPECT_EQ(bars.size(), 64U) << "no waveform";
    if (bars.size() == 64) {
        EXPECT_LT(bars.front(), 0.1F);
        EXPECT_FLOAT_EQ(bars.back(), 1.0F);
    }
    EXPECT_EQ(shown.size(), QSize(40, 30)) << "no picture";
    if (!shown.isNull()) {
        EXPECT_EQ(shown.pixelColor(20, 15), QColor(Qt::green));
    }
}

TEST(DecoderProcess, ItsDiagnosticsGoNowhereAndItWritesNoFile)
{
    const TempDir folder;
    const std::string untouched = folder.write("untouched.txt");
    StandInRun talking;
    StandInRun writing;
    {
        const ErrorOutputToFile log(folder / "errors.log");
        talking = runStandIn({QStringLiteral("chatter")});
        writing = runStandIn({QStringLiteral("write"), QString::fromStdString(untouched)});
    }
    EXPECT_EQ(talking.output, QByteArray("done"));
    EXPECT_EQ(test::readFile(folder / "errors.log"), "");
    EXPECT_TRUE(writing.endedUnaided);
    EXPECT_FALSE(writing.output.has_value());
    EXPECT_EQ(test::readFile(untouched), "");
}

// What a decoder says on its error output is never read into the application, where no output
// bound holds it: on a crafted file a decoder can talk without end.
TEST(DecoderProcess, ItsDiagnosticsAreNeverReadIntoTheApplication)
{
    const TempDir folder;
    QFile input(QString::fromStdString(folder.write("input", "anything")));
    ASSERT_TRUE(input.open(QIODevice::ReadOnly));
    QProcess decoder;
    ASSERT_TRUE(DecoderProcess::start(
        decoder, {QStringLiteral(TOLLENVANE_STAND_IN_DECODER), {QStringLiteral("chatter")}},
        input.handle()));
    ASSERT_TRUE(decoder.waitForFinished(60'000));
    EXPECT_EQ(decoder.readAllStandardOutput(), QByteArray("done"));
    EXPECT_EQ(decoder.readAllStandardError().size(), 0);
}

// A decoder that hangs without using the processor, which its processor limit never stops, is
// ended at its deadline, and its run fails.
TEST(DecoderProcess, ADecoderHangingIdleIsEndedAtItsDeadline)
{
    const StandInRun hung = runStandIn({QStringLiteral("sleep")}, std::chrono::milliseconds(100));
    EXPECT_TRUE(hung.endedUnaided) << "nothing ended the decoder";
    EXPECT_FALSE(hung.output.has_value());
}

TEST(DecoderProcess, ADecoderWritingWithoutEndIsStoppedByItsOutputBound)
{
    const StandInRun flood =
        runStandIn({QStringLiteral("flood"), QString::number(4 * DecoderProcess::maxOutputBytes)});
    EXPECT_TRUE(flood.endedUnaided) << "nothing stopped the flood";
    EXPECT_FALSE(flood.output.has_value());
}

TEST(DecoderProcess, ADecoderNeedingMoreMemoryThanAllowedIsRefusedAtOnce)
{
    if (!DecoderProcess::capsAddressSpace) {
        GTEST_SKIP() << "a sanitised build's decoders run without a memory cap";
    }
    const StandInRun modest = runStandIn({QStringLiteral("swell"), QString::number(64 << 20)});
    EXPECT_EQ(modest.output, QByteArray("held"));
    const StandInRun greedy =
        runStandIn({QStringLiteral("swell"), QString::number(DecoderProcess::addressSpaceBytes)});
    EXPECT_TRUE(greedy.endedUnaided);
    EXPECT_FALSE(greedy.output.has_value());
}

} // namespace
} // namespace tollenvane
