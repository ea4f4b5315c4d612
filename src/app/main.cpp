// The application: one model for the life of the process, one window over it.
#include "app/design/AppearanceApplier.h"
#include "app/design/DesignBehaviour.h"
#include "app/design/Symbol.h"
#include "app/shell/DialogFolderPanel.h"
#include "app/shell/DisplayCheck.h"
#include "app/shell/MainWindow.h"
#include "app/shell/PlatformNotices.h"
#include "app/shell/QtTranslation.h"
#include "app/shell/QuitSignals.h"
#include "app/shell/ScreenReadings.h"
#include "core/platform/XdgFolders.h"
#include "model/AppModel.h"
#include "model/ModelServices.h"
#include "model/sound/ExitPastSoundCache.h"

#include <QApplication>
#include <cstdio>
#include <memory>

namespace {

using namespace tollenvane;

// Qt's default GStreamer media backend crashed here; the user's own choice still wins.
void preferFfmpegMedia()
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    }
}

void followAppearance(AppearanceApplier& appearance, const AppModel& model)
{
    appearance.apply(model.state().preferences.appearance);
    QObject::connect(&model, &AppModel::stateChanged, &appearance, [&appearance, &model] {
        const AppAppearance wanted = model.state().preferences.appearance;
        if (wanted != appearance.preference()) {
            appearance.apply(wanted);
        }
    });
}

void followLanguage(QtTranslation& translation, const AppModel& model)
{
    translation.use(model.state().preferences.language);
    QObject::connect(
        &model, &AppModel::stateChanged, QCoreApplication::instance(),
        [&translation, &model] { translation.use(model.state().preferences.language); });
}

int run(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv, argv + argc);
    if (const auto missing =
            missingDisplay(requestedPlatform(arguments, XdgFolders::environmentVariable),
                           XdgFolders::environmentVariable)) {
        std::fprintf(stderr, "tollenvane: %s\n", missing->c_str());
        return 2;
    }
    preferFfmpegMedia();

    QApplication application(argc, argv);
    QApplication::setApplicationName("tollenvane");
    QGuiApplication::setApplicationDisplayName("Tollenvane");
    QGuiApplication::setDesktopFileName("tollenvane");
    const DesignBehaviour design(screenReadings());
    // Before anything sets a palette: it keeps the platform's own to tell the system appearance.
    AppearanceApplier appearance;
    Symbol::useIconTheme();
    QtTranslation qtTexts;

    AppModel model(AppModel::launchStore(),
                   ModelServices::system(std::make_shared<DialogFolderPanel>()));
    followAppearance(appearance, model);
    followLanguage(qtTexts, model);
    const PlatformNotices notices(model);

    // exit(), not quit(): quit() asks the window to close, and the window answers by quitting.
    MainWindow window(model, [] { QCoreApplication::exit(0); });
    // Log-out and Ctrl+C in a terminal take the same way out as closing the window.
    const QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &window, &QWidget::close);
    window.show();
    window.raise();
    window.activateWindow();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    exitPastSoundCache(run(argc, argv));
}
