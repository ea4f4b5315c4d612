#include "app/shell/MainWindow.h"

#include "app/design/LocalizedText.h"
#include "app/shell/CommandActions.h"
#include "app/shell/RootView.h"
#include "app/shell/WindowFit.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QCloseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace tollenvane {

MainWindow::MainWindow(AppModel& model, std::function<void()> quit, QWidget* parent)
    : QMainWindow(parent)
    , model_(model)
    , termination_(model, std::move(quit))
    , language_(model.state().preferences.language)
{
    setObjectName("main");
    commands_ = new CommandActions(model_, *this);
    connect(commands_, &CommandActions::quitRequested, &termination_,
            &TerminationController::request);
    connect(&model_, &AppModel::stateChanged, this, &MainWindow::followLanguage);
    setCentralWidget(new RootView(model_, this));
    // On the content, so that the menu bar comes on top of it.
    centralWidget()->setMinimumSize(minimumContentSize);
    // On a small screen the window opens as large as the screen leaves room for; its frame is
    // counted once the window manager has put it on.
    resize(fittedGeometry(QRect(QPoint(), defaultSize), {}, minimumSizeHint(),
                          screen()->availableGeometry())
               .size());
    retitle();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    const QWindow* handle = windowHandle();
    if (framed_ || handle == nullptr || handle->frameMargins().isNull()) {
        return;
    }
    framed_ = true;
    const QRect fitted = fittedGeometry(geometry(), handle->frameMargins(), minimumSizeHint(),
                                        screen()->availableGeometry());
    if (fitted != geometry()) {
        setGeometry(fitted);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The window stays until the state is written; the quit then closes everything.
    event->ignore();
    termination_.request();
}

void MainWindow::followLanguage()
{
    const AppLanguage language = model_.state().preferences.language;
    if (language == language_ || rebuildScheduled_) {
        return;
    }
    // Retitled on the same turn as the root view rebuilds its content in the new language.
    rebuildScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        rebuildScheduled_ = false;
        language_ = model_.state().preferences.language;
        retitle();
    });
}

void MainWindow::retitle()
{
    setWindowTitle(localized("Tollenvane"));
    commands_->retitle();
}

} // namespace tollenvane
