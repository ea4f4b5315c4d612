#pragma once

#include "model/AppModel.h"
#include "model/support/ModelHarness.h"
#include "support/DeliverEvents.h"
#include "support/RecordingServices.h"

#include <QCoreApplication>
#include <string>
#include <vector>

namespace tollenvane::test {

// A model that scanned one real source folder of real files: "Films" is the largest child,
// then "Notes", a photo, a file whose name looks like markup and an empty file.
struct ScannedDesk {
    static constexpr std::uint64_t homeDevice = 2049;
    static constexpr std::uint64_t diskDevice = 2065;

    ModelHarness harness;
    std::string source = harness.folder.makeFolder("home/Projects");
    RecordingRevealer revealer;
    RecordingLinks links;

    // `through`, when given, is a symbolic link to the source that the user chooses instead.
    explicit ScannedDesk(const std::string& through = {})
    {
        harness.volumes->disks = {
            {harness.folder / "home", homeDevice, 500'000'000'000, 120'000'000'000},
            {"/media/alice/Rushes", diskDevice, 2'000'000'000'000, 1'500'000'000'000}};
        harness.folder.write("home/Projects/Films/rush.mov", std::string(600'000, 'm'));
        harness.folder.write("home/Projects/Films/Cuts/cut.mp4", std::string(200'000, 'c'));
        harness.folder.write("home/Projects/Notes/plan.txt", std::string(90'000, 'n'));
        harness.folder.write("home/Projects/Notes/ideas.md", std::string(60'000, 'i'));
        harness.folder.write("home/Projects/sea.jpg", std::string(120'000, 's'));
        harness.folder.write("home/Projects/<b>bold<br>.txt", std::string(40'000, 'b'));
        harness.folder.write("home/Projects/empty.txt");
        AppModel& model = harness.load();
        Preferences preferences = model.state().preferences;
        preferences.onboardingComplete = true;
        model.setPreferences(preferences);
        if (!through.empty()) {
            harness.folder.link(source, through);
        }
        model.addFolder(through.empty() ? source : harness.folder / through, false);
        harness.settle();
        model.scan();
        settle();
    }

    AppModel& model() const { return *harness.model; }
    std::string path(std::string_view relative) const
    {
        return source + "/" + std::string(relative);
    }

    void settle()
    {
        for (int round = 0; round < 3; ++round) {
            deliverEvents();
            harness.settle();
        }
        deliverEvents();
    }
};

} // namespace tollenvane::test
