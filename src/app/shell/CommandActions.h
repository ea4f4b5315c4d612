#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace tollenvane {

class AppModel;

// The menu bar's commands. Their shortcuts work with the menus closed, so each command is
// enabled or disabled the moment the model changes, not when a menu opens.
class CommandActions final : public QObject {
    Q_OBJECT

public:
    // Fills the window's menu bar; the quit command emits quitRequested.
    CommandActions(AppModel& model, QMainWindow& window);

    QAction* newSession() const { return newSession_; }
    QAction* addFolder() const { return addFolder_; }
    QAction* quit() const { return quit_; }
    QAction* undo() const { return undo_; }
    QAction* settings() const { return settings_; }

    // Looks every title up again, in the language now chosen.
    void retitle();

signals:
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(QMainWindow& window, QMenu& menu, const QKeySequence& shortcut);
    void refreshEnabled();

    AppModel& model_;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* newSession_ = nullptr;
    QAction* addFolder_ = nullptr;
    QAction* quit_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* settings_ = nullptr;
};

} // namespace tollenvane
