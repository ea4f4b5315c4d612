// Screen tests need a QApplication but no display: the offscreen platform draws into memory.
#include "app/design/DesignBehaviour.h"
#include "app/shell/ScreenReadings.h"
#include "core/localisation/Localization.h"
#include "model/sound/ExitPastSoundCache.h"
#include "support/ScratchHome.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int result = 0;
    {
        // Made first and removed last, so that Qt never sees nor keeps anything outside it.
        const tollenvane::test::ScratchHome home;
        const QApplication application(argc, argv);
        const tollenvane::DesignBehaviour design(tollenvane::screenReadings());
        ::testing::InitGoogleTest(&argc, argv);
        tollenvane::Localization::setPreferredLanguages(std::vector<std::string>{"fr"});
        result = RUN_ALL_TESTS();
    }
    tollenvane::exitPastSoundCache(result);
}
