#pragma once

class QString;
class QWidget;

namespace tollenvane {

// Names `widget` for assistive technology as the text it shows, `shown`, reads out. Each naming
// tells assistive technology that the name changed, so an unchanged name is left as it is: pages
// that refresh their texts would otherwise announce every label at every refresh.
void setSpokenName(QWidget& widget, const QString& shown);
// The same for the description assistive technology reads after the name.
void setSpokenDescription(QWidget& widget, const QString& shown);

} // namespace tollenvane
