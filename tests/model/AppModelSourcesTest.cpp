#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"
#include "model/support/ModelHarness.h"
#include "model/support/SortingHarness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <filesystem>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;
using test::ModelHarness;

namespace fs = std::filesystem;

std::vector<std::string> lastKnownPaths(const std::vector<FolderGrant>& grants)
{
    std::vector<std::string> paths;
    for (const FolderGrant& grant : grants) {
        paths.push_back(grant.lastKnownPath.value_or("?"));
    }
    return paths;
}

// A loaded model with the given folders as sources, resolved and saved.
struct WithSources : ModelHarness {
    std::string pictures = folder.makeFolder("home/Pictures");
    std::string music = folder.makeFolder("home/Music");
    std::string films = folder.makeFolder("home/Films");

    AppModel& loadWith(const std::vector<std::string>& sources)
    {
        AppModel& loaded = load();
        for (const std::string& source : sources) {
            loaded.addFolder(source, false);
        }
        advance(AppModel::saveDelay);
        return loaded;
    }
};

TEST(AppModelSources, ChosenFoldersAreAddedInOrderResolvedAndSaved)
{
    WithSources harness;
    AppModel& model = harness.load();
    harness.panel->answer = {harness.pictures, harness.music};
    model.chooseFolders(false);

    ASSERT_EQ(harness.panel->requests.size(), 1U);
    const FolderPanelRequest& request = harness.panel->requests.front();
    EXPECT_TRUE(request.multipleSelection);
    EXPECT_EQ(request.title, "Dossiers à analyser");
    EXPECT_EQ(request.prompt, "Autoriser ces dossiers");
    EXPECT_EQ(request.message, "Tollenvane analyse uniquement les dossiers que vous choisissez. "
                               "Tout reste sur cet ordinateur.");
    EXPECT_EQ(lastKnownPaths(model.state().sources),
              (std::vector<std::string>{harness.pictures, harness.music}));

    harness.advance(AppModel::saveDelay);
    ASSERT_EQ(model.statuses().size(), 2U);
    for (const FolderGrant& source : model.state().sources) {
        EXPECT_EQ(model.statuses().at(source.id), SourceStatus::at(*source.lastKnownPath));
        EXPECT_FALSE(source.favorite);
    }
    EXPECT_EQ(harness.access->open(), (std::vector<std::string>{harness.music, harness.pictures}));
    EXPECT_EQ(harness.stateOnDisk().sources, model.state().sources);
}

// Names, order, favourites and where each grant resolved: all but the ids, which are new.
std::vector<std::string> described(const AppModel& model)
{
    std::vector<std::string> lines;
    for (const FolderGrant& source : model.state().sources) {
        const auto status = model.statuses().find(source.id);
        lines.push_back(source.name + " " + source.lastKnownPath.value_or("?") +
                        (source.favorite ? " favourite " : " ") +
                        (status == model.statuses().end() ? "unresolved"
                                                          : status->second.location.value_or("-")));
    }
    return lines;
}

TEST(AppModelSources, FoldersChosenTogetherAreResolvedAndWrittenOnceAsIfAddedOneByOne)
{
    WithSources harness;
    const std::string pictures = harness.pictures;
    harness.grants->ungrantable.insert(harness.films);
    AppModel& model = harness.load();
    // The same folder twice, written differently, and one that cannot be granted.
    harness.panel->answer = {pictures, harness.music, harness.films, pictures + "/"};
    model.chooseFolders(false);
    EXPECT_EQ(harness.executor->pending(Priority::userInitiated), 1U);
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Dossier non ajouté");
    model.dismissAlert();
    harness.settle();
    EXPECT_EQ(harness.access->starts(), 2); // one pass over the two grants

    harness.advance(AppModel::saveDelay - 1ms);
    EXPECT_FALSE(fs::exists(harness.statePath()));
    harness.advance(1ms);
    EXPECT_EQ(harness.stateOnDisk().sources, model.state().sources);
    fs::remove(harness.statePath());
    harness.advance(10s);
    EXPECT_FALSE(fs::exists(harness.statePath()));

    WithSources oneByOne;
    oneByOne.grants->ungrantable.insert(oneByOne.films);
    AppModel& reference = oneByOne.load();
    for (const std::string& folder :
         {oneByOne.pictures, oneByOne.music, oneByOne.films, oneByOne.pictures + "/"}) {
        reference.addFolder(folder, false);
        oneByOne.settle();
    }
    std::vector<std::string> expected = described(reference);
    for (std::string& line : expected) {
        for (std::size_t at; (at = line.find(oneByOne.folder.path())) != std::string::npos;) {
            line.replace(at, oneByOne.folder.path().size(), harness.folder.path());
        }
    }
    ASSERT_EQ(expected.size(), 2U);
    EXPECT_EQ(described(model), expected);

    // Once the tutorial is over a scan follows, and its resolution is the only one.
    model.finishOnboarding();
    harness.settle();
    const int starts = harness.access->starts();
    harness.panel->answer = {harness.films, harness.folder.makeFolder("home/Books")};
    harness.grants->ungrantable.clear();
    model.chooseFolders(false);
    EXPECT_TRUE(model.scanning());
    EXPECT_EQ(harness.executor->pending(Priority::userInitiated), 1U);
    harness.settle();
    EXPECT_FALSE(model.scanning());
    EXPECT_EQ(harness.access->starts() - starts, 4);
    EXPECT_EQ(model.statuses().size(), 4U);
}

TEST(AppModelSources, ADestinationComesFirstAsAFavouriteFromASingleChoice)
{
    WithSources harness;
    AppModel& model = harness.load();
    harness.panel->answer = {harness.pictures};
    model.chooseFolders(true);
    harness.panel->answer = {harness.music};
    model.chooseFolders(true);
    harness.settle();

    ASSERT_EQ(harness.panel->requests.size(), 2U);
    EXPECT_FALSE(harness.panel->requests.back().multipleSelection);
    EXPECT_EQ(harness.panel->requests.back().title, "Dossier de destination");
    EXPECT_EQ(harness.panel->requests.back().prompt, "Choisir la destination");
    ASSERT_EQ(lastKnownPaths(model.state().destinations),
              (std::vector<std::string>{harness.music, harness.pictures}));
    EXPECT_TRUE(model.state().destinations.front().favorite);
    EXPECT_TRUE(model.state().sources.empty());
    EXPECT_EQ(model.statuses().size(), 2U);
}

TEST(AppModelSources, DestinationsAreMarkedAndRemovedInPlaceAndSaved)
{
    WithSources harness;
    AppModel& model = harness.load();
    for (const std::string& folder : {harness.films, harness.music, harness.pictures}) {
        model.addFolder(folder, true);
    }
    harness.settle();
    const std::string middle = model.state().destinations[1].id;
    const bool wasFavorite = model.state().destinations[1].favorite;

    model.toggleFavoriteDestination(middle);
    model.toggleFavoriteDestination("NO-SUCH-ID");
    harness.advance(AppModel::saveDelay);
    EXPECT_NE(model.state().destinations[1].favorite, wasFavorite);
    EXPECT_EQ(harness.stateOnDisk().destinations, model.state().destinations);

    model.removeDestination(model.state().destinations[0].id);
    harness.advance(AppModel::saveDelay);
    EXPECT_EQ(lastKnownPaths(model.state().destinations),
              (std::vector<std::string>{harness.music, harness.films}));
    EXPECT_EQ(harness.stateOnDisk().destinations, model.state().destinations);
    EXPECT_EQ(AppModel::trimmedFolderName("\t Photos \n"), "Photos");
}

TEST(AppModelSources, TheChooserStartsInTheSuggestedFolderAndACancelChangesNothing)
{
    WithSources harness;
    AppModel& model = harness.load();
    harness.standardFolders->folders[StandardFolder::pictures] = harness.pictures;
    model.chooseFolders(false, std::nullopt, StandardFolder::pictures, harness.music);
    model.chooseFolders(false, std::nullopt, StandardFolder::music, harness.music);
    model.chooseFolders(false, std::nullopt, std::nullopt, harness.music);
    model.chooseFolders(false, "SOME-ID");

    ASSERT_EQ(harness.panel->requests.size(), 4U);
    EXPECT_EQ(harness.panel->requests[0].startFolder, harness.pictures);
    EXPECT_EQ(harness.panel->requests[1].startFolder, std::nullopt); // no such folder here
    EXPECT_EQ(harness.panel->requests[2].startFolder, harness.music);
    EXPECT_FALSE(harness.panel->requests[3].multipleSelection); // renewing one grant
    EXPECT_EQ(harness.panel->requests[3].title, "Dossier à analyser");
    harness.settle();
    EXPECT_TRUE(model.state().sources.empty());
    EXPECT_EQ(harness.executor->pending(), 0U);
}

TEST(AppModelSources, AGrantedFolderIsReplacedInPlaceAnUngrantableOneRefusedARemovedOneForgotten)
{
    WithSources harness;
    AppModel& model = harness.loadWith({harness.pictures, harness.music});
    const std::vector<FolderGrant> before = model.state().sources;

    model.addFolder(harness.pictures + "/", false); // the same folder, written differently
    harness.settle();
    ASSERT_EQ(model.state().sources.size(), 2U);
    EXPECT_EQ(model.state().sources[0].id, before[0].id);
    EXPECT_EQ(model.state().sources[1], before[1]);

    // Renewing names the grant by its id, whatever folder was chosen.
    model.addFolder(harness.films, false, before[1].id);
    harness.settle();
    EXPECT_EQ(lastKnownPaths(model.state().sources),
              (std::vector<std::string>{harness.pictures, harness.films}));
    EXPECT_EQ(model.state().sources[1].id, before[1].id);
    EXPECT_EQ(model.state().sources[1].name, "Films");

    // A grant renewed after it was removed comes back as a new one.
    model.addFolder(harness.music, false, "0A1B2C3D-4E5F-6789-ABCD-EF0123456789");
    harness.settle();
    EXPECT_EQ(lastKnownPaths(model.state().sources),
              (std::vector<std::string>{harness.pictures, harness.films, harness.music}));
    EXPECT_NE(model.state().sources[2].id, "0A1B2C3D-4E5F-6789-ABCD-EF0123456789");
    harness.advance(AppModel::saveDelay);

    // A folder that cannot be granted changes nothing.
    const SavedState granted = model.state();
    model.addFolder("/proc", false);
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Dossier non ajouté");
    EXPECT_EQ(model.alert()->message, errorDescription(FileError::unsafeSource));
    EXPECT_EQ(model.state(), granted);
    EXPECT_EQ(harness.executor->pending(), 0U);

    // Removing one forgets it, gives up its access and saves.
    model.removeSource(model.state().sources[1]);
    harness.advance(AppModel::saveDelay);
    EXPECT_EQ(lastKnownPaths(model.state().sources),
              (std::vector<std::string>{harness.pictures, harness.music}));
    EXPECT_EQ(harness.stateOnDisk().sources, model.state().sources);
    EXPECT_EQ(harness.access->open(), (std::vector<std::string>{harness.music, harness.pictures}));
}

TEST(AppModelSources, OnlyTheLastResolutionStartedIsApplied)
{
    WithSources harness;
    AppModel& model = harness.load();
    const QSignalSpy statusesChanged(&model, &AppModel::statusesChanged);
    model.addFolder(harness.pictures, false);
    model.addFolder(harness.music, false);
    ASSERT_EQ(harness.executor->pending(Priority::userInitiated), 2U);

    // The second resolution finishes first; the first one, overtaken, arrives afterwards.
    harness.executor->runLatest(Priority::userInitiated);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(model.statuses().size(), 2U);
    harness.executor->runNext(Priority::userInitiated);
    harness.settle();
    EXPECT_EQ(statusesChanged.count(), 1);
    EXPECT_EQ(model.statuses().size(), 2U);
    EXPECT_EQ(harness.access->balance(harness.pictures), 1);
    EXPECT_EQ(harness.access->balance(harness.music), 1);
}

TEST(AppModelSources, AStaleBookmarkIsRenewedAndSaved)
{
    WithSources harness;
    AppModel& model = harness.loadWith({harness.pictures});
    ASSERT_EQ(model.state().sources.size(), 1U);
    const FolderGrant before = model.state().sources.front();

    // The same path now holds another folder: the bookmark resolves, marked stale.
    fs::rename(harness.pictures, harness.pictures + " (old)");
    fs::create_directory(harness.pictures);
    model.resolveGrants();
    harness.advance(AppModel::saveDelay);

    const FolderGrant after = model.state().sources.front();
    EXPECT_NE(after.bookmark, before.bookmark);
    EXPECT_EQ(after.id, before.id);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.favorite, before.favorite);
    EXPECT_EQ(model.statuses().at(after.id), SourceStatus::at(harness.pictures));
    EXPECT_EQ(harness.stateOnDisk().sources.front(), after);
}

TEST(AppModelSources, AMovedFolderIsFollowedAndAnUnusableOneReportsWhy)
{
    WithSources harness;
    AppModel& model = harness.loadWith({harness.pictures, harness.music, harness.films});
    const std::string moved = harness.folder.makeFolder("elsewhere/Pictures");
    harness.grants->resolveAs["Pictures"] = {moved, false};
    harness.grants->unreadable.insert(harness.music);
    fs::remove(harness.films);
    harness.grants->resolveAs["Films"] = {harness.films, false};
    model.resolveGrants();
    harness.advance(AppModel::saveDelay);

    const auto& sources = model.state().sources;
    ASSERT_EQ(sources.size(), 3U);
    EXPECT_EQ(sources[0].lastKnownPath, moved);
    EXPECT_EQ(model.statuses().at(sources[0].id), SourceStatus::at(moved));
    EXPECT_EQ(model.statuses().at(sources[1].id),
              SourceStatus::failed(errorDescription(FileError::permission)));
    // A source's message, not a destination's.
    EXPECT_EQ(model.statuses().at(sources[2].id),
              SourceStatus::failed(errorDescription(FileError::permission)));
    // The last known path stays where the folder was last seen.
    EXPECT_EQ(sources[2].lastKnownPath, harness.films);
    EXPECT_EQ(harness.stateOnDisk().sources, sources);
    EXPECT_FALSE(model.alert());
    // The unreadable and the refused folders were reached, so their accesses are held too.
    EXPECT_EQ(harness.access->open(),
              (std::vector<std::string>{moved, harness.films, harness.music}));
}

TEST(AppModelSources, ShutdownCancelsEverythingAndGivesUpEveryAccess)
{
    WithSources harness;
    AppModel& model = harness.loadWith({harness.pictures, harness.music});
    ASSERT_EQ(harness.access->open().size(), 2U);
    const auto statuses = model.statuses();

    model.addFolder(harness.films, false); // its resolution is still to run
    model.save();
    fs::remove(harness.statePath());
    model.shutdown();
    EXPECT_TRUE(harness.access->open().empty());

    harness.advance(10s);
    EXPECT_FALSE(fs::exists(harness.statePath()));
    EXPECT_EQ(model.statuses(), statuses);
    EXPECT_TRUE(harness.access->open().empty());
}

TEST(AppModelSources, ANewDestinationFolderIsCreatedTrimmedAndAddedOrSaysWhyNot)
{
    WithSources harness;
    AppModel& model = harness.load();
    const QFuture<bool> created = model.createDestination(" \t Tri\n ", harness.films);
    harness.settle();
    ASSERT_TRUE(created.isFinished());
    EXPECT_TRUE(created.result());
    EXPECT_TRUE(fs::is_directory(harness.films + "/Tri"));
    ASSERT_EQ(model.state().destinations.size(), 1U);
    EXPECT_EQ(model.state().destinations.front().lastKnownPath, harness.films + "/Tri");
    EXPECT_TRUE(model.state().destinations.front().favorite);

    const QFuture<bool> taken = model.createDestination("Tri", harness.films);
    harness.settle();
    EXPECT_FALSE(taken.result());
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Création impossible");
    EXPECT_EQ(model.alert()->message, errorDescription(FileError::collision));
    model.createDestination(" \t \n", harness.films);
    harness.settle();
    EXPECT_EQ(model.alert()->message, Localization::text("Donnez un nom au dossier."));
    EXPECT_EQ(model.state().destinations.size(), 1U);
    EXPECT_EQ(test::entries(harness.films), std::vector<std::string>{"Tri"});
    model.dismissAlert();

    // A name that would make the folder elsewhere, or one that is no name, is refused with the
    // reason, and nothing is made in the parent or beside it.
    const std::vector<std::string> beside = test::entries(harness.films + "/..");
    for (const auto& [name, reason] : std::vector<std::pair<std::string, std::string>>{
             {"../escaped",
              "Un nom de dossier ne peut contenir ni «\u00A0/\u00A0» ni «\u00A0:\u00A0»."},
             {"Tri/Sous",
              "Un nom de dossier ne peut contenir ni «\u00A0/\u00A0» ni «\u00A0:\u00A0»."},
             {"a:b", "Un nom de dossier ne peut contenir ni «\u00A0/\u00A0» ni «\u00A0:\u00A0»."},
             {" .. ", "Un dossier ne peut pas s’appeler «\u00A0.\u00A0» ni «\u00A0..\u00A0»."},
             {".", "Un dossier ne peut pas s’appeler «\u00A0.\u00A0» ni «\u00A0..\u00A0»."},
             {".cache", "Un nom de dossier ne peut pas commencer par un point."}}) {
        const QFuture<bool> refused = model.createDestination(name, harness.films);
        harness.settle();
        ASSERT_TRUE(refused.isFinished()) << name;
        EXPECT_FALSE(refused.result()) << name;
        ASSERT_TRUE(model.alert()) << name;
        EXPECT_EQ(model.alert()->title, "Création impossible");
        EXPECT_EQ(model.alert()->message, Localization::text(reason)) << name;
        model.dismissAlert();
    }
    EXPECT_EQ(test::entries(harness.films), std::vector<std::string>{"Tri"});
    EXPECT_EQ(test::entries(harness.films + "/.."), beside);
    EXPECT_EQ(model.state().destinations.size(), 1U);

    // Made but not granted: the folder stays on disk.
    harness.grants->ungrantable.insert(harness.films + "/Tri 2");
    model.createDestination("Tri 2", harness.films);
    harness.settle();
    EXPECT_TRUE(fs::is_directory(harness.films + "/Tri 2"));
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Dossier non ajouté");
    EXPECT_EQ(model.state().destinations.size(), 1U);
}

TEST(AppModelSources, NoSourceIsAddedWhileASessionRunsYetADestinationIs)
{
    test::SortingHarness harness;
    harness.startSortingTwo();
    AppModel& model = *harness.model;
    ASSERT_TRUE(model.sessionActive());
    const std::vector<FolderGrant> sources = model.state().sources;
    const std::size_t asked = harness.panel->requests.size();
    harness.panel->answer = {harness.outside};

    // The chooser does not even open: the session's cards come from the sources as they are.
    model.chooseFolders(false);
    harness.settle();
    EXPECT_EQ(harness.panel->requests.size(), asked);
    EXPECT_EQ(model.state().sources, sources);

    // The move sheet still takes a new destination mid-session.
    model.chooseFolders(true);
    harness.settle();
    EXPECT_EQ(harness.panel->requests.size(), asked + 1);
    ASSERT_EQ(model.state().destinations.size(), 1U);
    EXPECT_EQ(model.state().destinations.front().lastKnownPath, harness.outside);
    EXPECT_EQ(model.state().sources, sources);
}

TEST(AppModelOnboarding, FinishingTheTutorialIsRememberedEachTime)
{
    WithSources harness;
    AppModel& model = harness.load();
    model.setShowTutorial(true);
    model.finishOnboarding();
    EXPECT_FALSE(model.showTutorial());
    harness.advance(AppModel::saveDelay);
    EXPECT_TRUE(harness.stateOnDisk().preferences.onboardingComplete);

    fs::remove(harness.statePath());
    model.finishOnboarding();
    harness.advance(AppModel::saveDelay);
    EXPECT_TRUE(harness.stateOnDisk().preferences.onboardingComplete);
}

TEST(AppModelOnboarding, ResettingTheReviewMemoryEmptiesTheJournal)
{
    WithSources harness;
    harness.folder.write("data/state.reviews.jsonl", "{\"path\":\"/home/a/x.png\"}\n");
    AppModel& model = harness.load();
    model.resetReviewed();
    harness.settle();
    EXPECT_EQ(fs::file_size(harness.journalPath()), 0U);
    EXPECT_FALSE(model.alert());

    // Without its folder the journal cannot be emptied.
    fs::remove_all(harness.folder / "data");
    model.resetReviewed();
    harness.settle();
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Action impossible");
}

} // namespace
} // namespace tollenvane
