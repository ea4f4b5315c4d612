#include "app/decoding/DecoderProcess.h"

#include "app/decoding/DecoderOutput.h"

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <csignal>

namespace tollenvane::DecoderProcess {

namespace {

constexpr std::chrono::milliseconds pollInterval{50};
constexpr rlim_t cpuSeconds = 8;

QString programNextTo(const QString& folder)
{
    const QString candidate = folder + QStringLiteral("/tollenvane-decoder");
    return QFileInfo(candidate).isExecutable() ? candidate : QString();
}

// In the child between fork and exec: system calls only.
void limitChild(int input)
{
    // Gone with the thread that started it, so nothing outlives a quitting application.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if constexpr (capsAddressSpace) {
        const rlimit memory{addressSpaceBytes, addressSpaceBytes};
        ::setrlimit(RLIMIT_AS, &memory);
    }
    const rlimit processor{cpuSeconds, cpuSeconds};
    ::setrlimit(RLIMIT_CPU, &processor);
    const rlimit nothing{0, 0};
    ::setrlimit(RLIMIT_CORE, &nothing);
    // It writes only to its output pipe and the null device: never a file.
    ::setrlimit(RLIMIT_FSIZE, &nothing);
    if (::dup2(input, STDIN_FILENO) < 0) {
        ::_exit(127);
    }
}

QProcessEnvironment decoderEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Each thread's malloc arena reserves address space; a few are plenty for one file.
    environment.insert(QStringLiteral("MALLOC_ARENA_MAX"), QStringLiteral("2"));
    return environment;
}

} // namespace

QString program()
{
    if (QCoreApplication::instance() != nullptr) {
        if (QString beside = programNextTo(QCoreApplication::applicationDirPath());
            !beside.isEmpty()) {
            return beside;
        }
    }
    return QStringLiteral(TOLLENVANE_BUILT_DECODER);
}

bool start(QProcess& decoder, const Command& command, int input)
{
    decoder.setProgram(command.program);
    decoder.setArguments(command.arguments);
    decoder.setProcessEnvironment(decoderEnvironment());
    // Decoders talk as they work (the media backend lists its codecs, the PNG reader warns of a
    // damaged chunk): nothing for the user's log. Nor may it go there: the application's error
    // output is often a file (a session log, `2>log`), where the file-size limit would kill the
    // decoder at its first word. Nor into a pipe of ours, where no output bound holds what a
    // decoder on a crafted file says without end. Run by hand on a file, it still says it all.
    decoder.setStandardErrorFile(QProcess::nullDevice());
    decoder.setChildProcessModifier([input] { limitChild(input); });
    decoder.start(QIODevice::ReadOnly);
    return decoder.waitForStarted();
}

std::optional<QByteArray> run(const DecoderRequest& request, const QFile& file,
                              const std::atomic<bool>& abandoned, std::chrono::milliseconds limit)
{
    return run(Command{program(), decoderArguments(request)}, file, abandoned, limit);
}

std::optional<QByteArray> run(const Command& command, const QFile& file,
                              const std::atomic<bool>& abandoned, std::chrono::milliseconds limit)
{
    const int input = file.handle();
    if (input < 0 || abandoned.load()) {
        return std::nullopt;
    }
    QProcess decoder;
    if (!start(decoder, command, input)) {
        return std::nullopt;
    }
    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    // Read as it comes, so that a decoder writing a lot never blocks on a full pipe.
    while (decoder.state() != QProcess::NotRunning) {
        const bool overstayed = clock.elapsed() > limit.count() || abandoned.load();
        if (overstayed || output.size() > maxOutputBytes) {
            decoder.kill();
            decoder.waitForFinished();
            return std::nullopt;
        }
        decoder.waitForReadyRead(static_cast<int>(pollInterval.count()));
        output += decoder.readAllStandardOutput();
    }
    output += decoder.readAllStandardOutput();
    if (decoder.exitStatus() != QProcess::NormalExit || decoder.exitCode() != 0 ||
        output.size() > maxOutputBytes) {
        return std::nullopt;
    }
    return output;
}

QImage picture(const DecoderRequest& request, const QFile& file, const std::atomic<bool>& abandoned)
{
    const std::optional<QByteArray> output = run(request, file, abandoned);
    if (!output) {
        return {};
    }
    std::vector<QImage> pictures = DecoderOutput::readPictures(*output);
    return pictures.size() == 1 ? std::move(pictures.front()) : QImage();
}

} // namespace tollenvane::DecoderProcess
