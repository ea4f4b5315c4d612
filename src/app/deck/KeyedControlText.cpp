#include "app/deck/KeyedControlText.h"

#include "app/design/PlainToolTip.h"
#include "app/design/SpokenName.h"

#include <QWidget>

namespace tollenvane {

void setKeyedControlText(QWidget& control, const QString& title, const QString& key,
                         const QString& help)
{
    control.setToolTip(plainToolTipText(help));
    setSpokenName(control, title);
    setSpokenDescription(control, key);
}

} // namespace tollenvane
