#pragma once

#include "app/decoding/DecoderTask.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <optional>

class QFile;
class QProcess;

namespace tollenvane {

// A decoder cannot be stopped from inside once it loops or swells on a crafted file, so files are
// decoded in a process of their own, bounded in memory and processor time, and killed when it
// overstays or its caller gives up. Nothing of it lives on: a new process serves each file.
namespace DecoderProcess {

// Long enough for any real picture, page or opening of a sound; a decode past it is abandoned.
inline constexpr std::chrono::milliseconds deadline{4000};
// The most the decoder may map, which bounds what a file can make it allocate.
inline constexpr long long addressSpaceBytes = 1LL << 30;
// The most it may hand back: a large picture, or the page sizes of a very long document.
inline constexpr qsizetype maxOutputBytes = 64 * 1024 * 1024;
#ifdef __SANITIZE_ADDRESS__
// An address sanitizer reserves terabytes of shadow memory at start and cannot run under a cap;
// such a checked build still has the deadline and the processor limit.
inline constexpr bool capsAddressSpace = false;
#else
inline constexpr bool capsAddressSpace = true;
#endif

// A program started as the decoder is, with its limits: the decoder itself, or in a test a
// stand-in for it.
struct Command {
    QString program;
    QStringList arguments;
};

// The decoder program: next to the application, else the one the build made.
QString program();

// Starts `command` on `decoder` as every decoder is started: under its limits, reading the open
// descriptor `input`, its diagnostics going where nothing reads them. False when it did not start.
bool start(QProcess& decoder, const Command& command, int input);

// Runs `request` on the open `file` and returns what the decoder wrote, or nothing when it
// failed, overstayed `limit`, wrote too much, or `abandoned` was set meanwhile. Blocks: call it
// on a file worker. The decoder reads the very file opened, through its descriptor, from where
// the descriptor stands: one open file serves one decoding at a time.
std::optional<QByteArray> run(const DecoderRequest& request, const QFile& file,
                              const std::atomic<bool>& abandoned,
                              std::chrono::milliseconds limit = deadline);
std::optional<QByteArray> run(const Command& command, const QFile& file,
                              const std::atomic<bool>& abandoned,
                              std::chrono::milliseconds limit = deadline);

// The one picture `request` makes of `file`; null on any failure, as from run().
QImage picture(const DecoderRequest& request, const QFile& file,
               const std::atomic<bool>& abandoned);

} // namespace DecoderProcess

} // namespace tollenvane
