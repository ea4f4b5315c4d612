#pragma once

#include <string>

namespace tollenvane::test {

// A HOME and XDG folders of this test process alone, below $TMPDIR, so that no test reads or
// writes the user's own data and tests never see each other's files. Removed with the object.
// TMPDIR then points inside this home: temporary folders lie wherever the checkout is, /tmp
// included, and the home folder is never a refused location. XDG_RUNTIME_DIR points inside it
// too: without one (no login session, as on CI) the audio client library leaves its runtime
// folders in TMPDIR for good.
class ScratchHome {
public:
    ScratchHome();
    ~ScratchHome();
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace tollenvane::test
