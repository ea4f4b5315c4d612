#pragma once

#include "model/access/FolderPanel.h"
#include "model/access/ScopedAccess.h"
#include "model/access/StandardFolders.h"
#include "model/access/SystemGrantResolver.h"
#include "model/sound/ApplicationActivity.h"
#include "model/sound/SoundPlayer.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tollenvane::test {

// Sounds that write what is done to them into one shared log: "stop keep", "volume keep 0.45",
// "play keep". Names listed in `missing` have no sound.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    std::set<std::string, std::less<>> missing;
    std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();

    std::unique_ptr<Sound> load(std::string_view resourceName) override;
};

class FakeActivity final : public ApplicationActivity {
public:
    bool active = true;
    bool isActive() const override { return active; }
};

// Answers every request with `answer` and keeps the requests.
class FakeFolderPanel final : public FolderPanel {
public:
    std::optional<std::vector<std::string>> answer;
    std::vector<FolderPanelRequest> requests;

    std::optional<std::vector<std::string>> run(const FolderPanelRequest& request) override
    {
        requests.push_back(request);
        return answer;
    }
};

class FakeStandardFolders final : public StandardFolders {
public:
    std::map<StandardFolder, std::string> folders;

    std::optional<std::string> location(StandardFolder folder) const override
    {
        const auto found = folders.find(folder);
        return found == folders.end() ? std::nullopt : std::optional(found->second);
    }
};

// Counts the accesses still started per folder; thread-safe, for the real pool too.
class CountingAccess final : public ScopedAccess {
public:
    bool start(const std::string& folder) override;
    void stop(const std::string& folder) override;

    // Folders with more starts than stops, each once.
    std::vector<std::string> open() const;
    // Starts less stops.
    int balance(const std::string& folder) const;
    int starts() const;

private:
    mutable std::mutex lock_;
    std::map<std::string, int> balance_;
    int starts_ = 0;
};

// The system's grants and folders, with what a test changes on top: a bookmark that reports its
// folder elsewhere or stale, a folder that cannot be read, a folder that cannot be granted.
class FakeGrantResolver final : public GrantResolver {
public:
    // By the grant's name.
    std::map<std::string, Bookmark::Resolved> resolveAs;
    std::set<std::string> unreadable;
    std::set<std::string> ungrantable;

    FolderGrant grant(const std::string& folder, bool favorite) const override;
    Bookmark::Resolved resolve(const FolderGrant& grant) const override;
    void validate(const std::string& folder) const override { system_.validate(folder); }
    bool isReadable(const std::string& folder) const override
    {
        return unreadable.count(folder) == 0 && system_.isReadable(folder);
    }

private:
    SystemGrantResolver system_;
};

} // namespace tollenvane::test
