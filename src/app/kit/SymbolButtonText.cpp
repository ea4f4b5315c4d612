#include "app/kit/SymbolButtonText.h"

#include "app/design/SpokenName.h"
#include "app/kit/PageText.h"

#include <QWidget>

namespace tollenvane {

void setSymbolButtonText(QWidget& button, const QString& text)
{
    setPlainToolTip(button, text);
    setSpokenName(button, text);
}

} // namespace tollenvane
