#include "app/shell/CommandActions.h"

#include "app/design/LocalizedText.h"
#include "app/shell/MenuCommands.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tollenvane {

CommandActions::CommandActions(AppModel& model, QMainWindow& window)
    : QObject(&window)
    , model_(model)
{
    fileMenu_ = window.menuBar()->addMenu(QString());
    newSession_ = makeAction(window, *fileMenu_, Qt::CTRL | Qt::Key_N);
    addFolder_ = makeAction(window, *fileMenu_, Qt::CTRL | Qt::Key_O);
    fileMenu_->addSeparator();
    quit_ = makeAction(window, *fileMenu_, Qt::CTRL | Qt::Key_Q);
    // Quitting stays possible while an alert or a sheet holds the window: Qt gives a window's
    // shortcuts nothing while a modal dialog shadows it, so the quit key is also caught here.
    quit_->setShortcutContext(Qt::ApplicationShortcut);
    qApp->installEventFilter(this);
    editMenu_ = window.menuBar()->addMenu(QString());
    undo_ = makeAction(window, *editMenu_, Qt::CTRL | Qt::Key_Z);
    settings_ = makeAction(window, *editMenu_, Qt::CTRL | Qt::Key_Comma);
    newSession_->setObjectName("newSession");
    addFolder_->setObjectName("addFolder");
    quit_->setObjectName("quit");
    undo_->setObjectName("undo");
    settings_->setObjectName("settings");
    retitle();

    connect(newSession_, &QAction::triggered, this, [this] { model_.setup(SessionFilter{}); });
    connect(addFolder_, &QAction::triggered, this, [this] { model_.chooseFolders(false); });
    connect(quit_, &QAction::triggered, this, &CommandActions::quitRequested);
    connect(undo_, &QAction::triggered, this, [this] { model_.undo(); });
    connect(settings_, &QAction::triggered, this, [this] { model_.navigate(Page::settings); });

    for (const auto changed :
         {&AppModel::loadingChanged, &AppModel::busyChanged, &AppModel::animatingSwipeChanged,
          &AppModel::showTutorialChanged, &AppModel::stateChanged, &AppModel::sessionActiveChanged,
          &AppModel::showMoveChanged, &AppModel::showPreviewChanged, &AppModel::undoCountChanged}) {
        connect(&model_, changed, this, &CommandActions::refreshEnabled);
    }
    refreshEnabled();
}

bool CommandActions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget() == nullptr ||
        !quit_->isEnabled()) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (QKeySequence(key->keyCombination()) != quit_->shortcut()) {
        return QObject::eventFilter(watched, event);
    }
    quit_->trigger();
    return true;
}

QAction* CommandActions::makeAction(QMainWindow& window, QMenu& menu, const QKeySequence& shortcut)
{
    QAction* action = menu.addAction(QString());
    action->setShortcut(shortcut);
    // Shortcuts of the window's own actions fire with every menu closed.
    window.addAction(action);
    return action;
}

void CommandActions::retitle()
{
    // Each with its Alt mnemonic, one letter per menu in every language.
    fileMenu_->setTitle(localized("&Fichier"));
    editMenu_->setTitle(localized("É&dition"));
    newSession_->setText(localized("&Nouvelle session"));
    addFolder_->setText(localized("&Ajouter un dossier…"));
    quit_->setText(localized("&Quitter"));
    undo_->setText(localized("&Annuler la dernière décision"));
    settings_->setText(localized("&Réglages…"));
}

void CommandActions::refreshEnabled()
{
    const CommandInputs inputs = commandInputsOf(model_);
    newSession_->setEnabled(canStartNewSession(inputs));
    addFolder_->setEnabled(canAddFolder(inputs));
    undo_->setEnabled(canUndo(inputs));
    settings_->setEnabled(canOpenSettings(inputs));
}

} // namespace tollenvane
