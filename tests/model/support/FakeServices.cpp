#include "model/support/FakeServices.h"

#include "core/base/FileError.h"

#include <sstream>

namespace tollenvane::test {

namespace {

class RecordingSound final : public Sound {
public:
    RecordingSound(std::string name, std::shared_ptr<std::vector<std::string>> log)
        : name_(std::move(name))
        , log_(std::move(log))
    {}

    void setVolume(float volume) override
    {
        std::ostringstream line;
        line << "volume " << name_ << ' ' << volume;
        log_->push_back(line.str());
    }
    void play() override { log_->push_back("play " + name_); }
    void stop() override { log_->push_back("stop " + name_); }

private:
    std::string name_;
    std::shared_ptr<std::vector<std::string>> log_;
};

} // namespace

std::unique_ptr<Sound> RecordingSoundPlayer::load(std::string_view resourceName)
{
    if (missing.count(resourceName) != 0) {
        return nullptr;
    }
    // "swipe-keep" is logged as "keep".
    std::string name(resourceName);
    name.erase(0, name.find('-') + 1);
    return std::make_unique<RecordingSound>(name, log);
}

bool CountingAccess::start(const std::string& folder)
{
    const std::scoped_lock guard(lock_);
    ++balance_[folder];
    ++starts_;
    return true;
}

void CountingAccess::stop(const std::string& folder)
{
    const std::scoped_lock guard(lock_);
    --balance_[folder];
}

std::vector<std::string> CountingAccess::open() const
{
    const std::scoped_lock guard(lock_);
    std::vector<std::string> folders;
    for (const auto& [folder, count] : balance_) {
        if (count != 0) {
            folders.push_back(folder);
        }
    }
    return folders;
}

int CountingAccess::balance(const std::string& folder) const
{
    const std::scoped_lock guard(lock_);
    const auto found = balance_.find(folder);
    return found == balance_.end() ? 0 : found->second;
}

int CountingAccess::starts() const
{
    const std::scoped_lock guard(lock_);
    return starts_;
}

FolderGrant FakeGrantResolver::grant(const std::string& folder, bool favorite) const
{
    if (ungrantable.count(folder) != 0) {
        throw FileError(FileError::unsafeSource);
    }
    return system_.grant(folder, favorite);
}

Bookmark::Resolved FakeGrantResolver::resolve(const FolderGrant& grant) const
{
    const auto found = resolveAs.find(grant.name);
    return found == resolveAs.end() ? system_.resolve(grant) : found->second;
}

} // namespace tollenvane::test
