#pragma once

class QString;
class QWidget;

namespace tollenvane {

// A control that shows only a symbol: its hover help is also the name read out for it.
void setSymbolButtonText(QWidget& button, const QString& text);

} // namespace tollenvane
