#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace tollenvane {

class ShownText;

// A window-modal alert over `parent`, with no buttons yet: `title` in bold, `message` under it,
// both shown as they are, never read as markup, the names in the message kept whole. The
// window's frame gets the application's name alone, as desktop message dialogs have it: the
// title is already in the alert, and a frame cuts a long one short. Copying the alert (Ctrl+C)
// gives its title and message as text, the names in it as they are, without the marks that
// show them.
QMessageBox* newAlertBox(QWidget& parent, const QString& title, const ShownText& message);

// Shows `title` and `message` in an alert made by newAlertBox, in place of what it showed.
void showAlertText(QMessageBox& box, const QString& title, const ShownText& message);

} // namespace tollenvane
