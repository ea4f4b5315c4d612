#pragma once

#include "app/kit/PageServices.h"
#include "core/base/FileError.h"
#include "core/base/Json.h"
#include "core/persistence/SavedState.h"
#include "model/support/ModelHarness.h"
#include "support/Bundles.h"
#include "support/RecordingServices.h"

#include <string>
#include <vector>

namespace tollenvane::test {

// A model over two application folders and a user library in a temporary folder; nothing is
// listed until the test or the page asks.
struct ApplicationsHarness : ModelHarness {
    std::string machine = folder.makeFolder("opt");
    std::string own = folder.makeFolder("home/Applications");
    LibraryFolders library{folder.makeFolder("home/.cache"), folder.makeFolder("home/.local/state"),
                           folder.makeFolder("home/.config"),
                           folder.makeFolder("home/.local/share")};
    RecordingRevealer revealer;
    RecordingLinks links;

    ApplicationsHarness()
    {
        applicationRoots = {machine, own};
        libraryFolders = [this] { return library; };
        // Bundles named "Broken.app" cannot be read.
        applicationScanOptions.recordReader = [](const std::string& path, std::stop_token stop) {
            if (path.ends_with("/Broken.app")) {
                throw FileError(FileError::changed);
            }
            return FileRecord::read(path, std::move(stop));
        };
    }

    PageServices pageServices() { return {*model, revealer, links}; }

    // A bundle with `bytes` of content besides its information, so that sizes differ.
    std::string bundle(const std::string& path, const std::string& identifier,
                       const std::optional<std::string>& version, std::size_t bytes)
    {
        writeBundle(path, identifier, version);
        folder.write(path.substr(folder.path().size() + 1) + "/Contents/Resources/data",
                     std::string(bytes, 'x'));
        return path;
    }

    // A state file that remembers these applications as sent to the Trash, the tutorial done.
    void remember(const std::vector<RemovedApplication>& removed)
    {
        SavedState state;
        state.preferences.onboardingComplete = true;
        state.removedApplications = removed;
        folder.write("data/state.json", json::dump(state.toJson()));
    }

    std::string leftData(const std::string& kind, const std::string& identifier, std::size_t bytes)
    {
        folder.write("home/" + kind + "/" + identifier + "/blob", std::string(bytes, 'x'));
        return folder / ("home/" + kind + "/" + identifier);
    }
};

} // namespace tollenvane::test
