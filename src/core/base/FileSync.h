#pragma once

namespace tollenvane {

// The one fsync that guards data before a change on disk. Tests replace it to prove that a
// failed sync refuses and leaves everything in place.
namespace FileSync {

using Function = int (*)(int fd);

// Flushes the file to its device; throws PlatformError when that fails.
void syncOrThrow(int fd);

// Replaces the sync for the lifetime of the object, process-wide.
class Override {
public:
    explicit Override(Function sync);
    ~Override();
    Override(const Override&) = delete;
    Override& operator=(const Override&) = delete;

private:
    Function previous_;
};

} // namespace FileSync
} // namespace tollenvane
