#pragma once

#include "support/TempDir.h"

#include <memory>
#include <string>
#include <string_view>

namespace tollenvane::test {

// Gives this test process a mount namespace of its own, made once and private, so that nothing
// it mounts reaches the machine. False, with `whyNot` saying why, when the machine refuses.
bool enterPrivateMountNamespace(std::string& whyNot);

// A mount made for one test inside the test's private mount namespace, undone with the object
// or by unmount(). `error()` holds the errno when the kernel refused it.
class Mount {
public:
    Mount(const std::string& source, std::string at, const char* type, unsigned long flags,
          const char* data = nullptr);
    ~Mount() { unmount(); }
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

    bool mounted() const { return error_ == 0 && !unmounted_; }
    int error() const { return error_; }
    void unmount();

private:
    std::string at_;
    int error_ = 0;
    bool unmounted_ = false;
};

// A small tmpfs of its own: a second file system for tests of moves between disks. It is
// mounted in a mount namespace that this test process alone uses (made once, private, so that
// nothing propagates to the machine), and unmounted when the object goes.
class ScratchFileSystem {
public:
    // Nothing when the machine refuses (no privilege, a sandbox); `whyNot` then says why.
    static std::unique_ptr<ScratchFileSystem> mount(std::string& whyNot);
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    const std::string& path() const { return mountPoint_.path(); }
    std::string operator/(std::string_view relative) const { return mountPoint_ / relative; }
    const TempDir& root() const { return mountPoint_; }

    // Throws when the kernel refuses.
    void makeReadOnly() const;

private:
    struct Key {
        explicit Key() = default;
    };

public:
    explicit ScratchFileSystem(Key) {}

private:
    TempDir mountPoint_;
};

} // namespace tollenvane::test
