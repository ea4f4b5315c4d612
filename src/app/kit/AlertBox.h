#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace tollenvane {

// A window-modal alert over `parent`, with no buttons yet: `title` in bold, `message` under it,
// both shown as they are, never read as markup, the names in the message kept whole. The
// window's frame gets the application's name alone, as desktop message dialogs have it: the
// title is already in the alert, and a frame cuts a long one short.
QMessageBox* newAlertBox(QWidget& parent, const QString& title, const QString& message);

} // namespace tollenvane
