// Model tests need an event loop for the results that jobs post back, but no display.
#include "core/localisation/Localization.h"
#include "model/sound/ExitPastSoundCache.h"
#include "support/ScratchHome.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <optional>

int main(int argc, char** argv)
{
    int result = 0;
    // Never destroyed: Qt's cache of sound effects may still be loading a sample on its own
    // thread, which reads the application, until the process ends.
    static std::optional<QCoreApplication> application;
    {
        // Made first, so that Qt never sees nor keeps anything outside it.
        const tollenvane::test::ScratchHome home;
        application.emplace(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        // Texts then read as their French keys, whatever the machine's language.
        tollenvane::Localization::setPreferredLanguages(std::vector<std::string>{"fr"});
        result = RUN_ALL_TESTS();
    }
    tollenvane::exitPastSoundCache(result);
}
