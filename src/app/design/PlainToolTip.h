#pragma once

class QString;
class QWidget;

namespace tollenvane {

// A hover help text that shows data literally: tool tips take markup otherwise. Assistive
// technology reads it as the control's description, as plain text.
void setPlainToolTip(QWidget& widget, const QString& text);

// `text` as a tool tip shows it literally, for one shown by hand.
QString plainToolTipText(const QString& text);

} // namespace tollenvane
