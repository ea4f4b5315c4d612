#include "support/ScratchFileSystem.h"

#include <sched.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tollenvane::test {

namespace {

// Empty once this process has mount namespace of its own that shares nothing with the machine.
const std::string& privateNamespaceRefusal()
{
    static const std::string reason = []() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0) {
            return std::string("unshare(CLONE_NEWNS): ") + std::strerror(errno);
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return std::string("making mounts private: ") + std::strerror(errno);
        }
        return {};
    }();
    return reason;
}

} // namespace

bool enterPrivateMountNamespace(std::string& whyNot)
{
    whyNot = privateNamespaceRefusal();
    return whyNot.empty();
}

Mount::Mount(const std::string& source, std::string at, const char* type, unsigned long flags,
             const char* data)
    : at_(std::move(at))
    , error_(::mount(source.c_str(), at_.c_str(), type, flags, data) == 0 ? 0 : errno)
{}

void Mount::unmount()
{
    if (mounted()) {
        ::umount2(at_.c_str(), MNT_DETACH);
        unmounted_ = true;
    }
}

std::unique_ptr<ScratchFileSystem> ScratchFileSystem::mount(std::string& whyNot)
{
    if (!enterPrivateMountNamespace(whyNot)) {
        return nullptr;
    }
    auto scratch = std::make_unique<ScratchFileSystem>(Key{});
    if (::mount("tmpfs", scratch->path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                "size=64m,mode=0755") != 0) {
        whyNot = std::string("mounting a tmpfs: ") + std::strerror(errno);
        return nullptr;
    }
    return scratch;
}

ScratchFileSystem::~ScratchFileSystem()
{
    ::umount2(path().c_str(), MNT_DETACH);
}

void ScratchFileSystem::makeReadOnly() const
{
    if (::mount(nullptr, path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                nullptr) != 0) {
        throw std::runtime_error(std::string("remounting read-only: ") + std::strerror(errno));
    }
}

} // namespace tollenvane::test
