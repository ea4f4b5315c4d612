#include "core/base/FileSync.h"

#include "core/base/PlatformError.h"

#include <unistd.h>

#include <atomic>

namespace tollenvane::FileSync {

namespace {

std::atomic<Function> current{&::fsync};

} // namespace

void syncOrThrow(int fd)
{
    if (current.load()(fd) != 0) {
        PlatformError::throwLast("fsync");
    }
}

Override::Override(Function sync)
    : previous_(current.exchange(sync))
{}

Override::~Override()
{
    current.store(previous_);
}

} // namespace tollenvane::FileSync
