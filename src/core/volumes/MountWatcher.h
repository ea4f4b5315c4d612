#pragma once

#include "core/base/UniqueFd.h"

#include <chrono>
#include <string>

namespace tollenvane {

// Notices that a volume was mounted or unmounted in this process's mount namespace: the kernel
// marks the mount table readable with priority (POLLPRI) whenever it changes. An event loop
// watches fd() for exceptional conditions and calls acknowledge() on each; a plain thread may
// call wait() instead.
class MountWatcher {
public:
    // Throws PlatformError when the table cannot be opened.
    explicit MountWatcher(const std::string& mountInfoPath = "/proc/self/mountinfo");

    int fd() const { return file_.get(); }

    // Takes note of a change, so that the same change is not reported again.
    void acknowledge();

    // True when the table changed since it was last acknowledged, false when the time ran out
    // first; a change is acknowledged before it is reported.
    bool wait(std::chrono::milliseconds timeout);

private:
    UniqueFd file_;
};

} // namespace tollenvane
