#include "app/design/DesignBehaviour.h"

#include "app/design/AccessibleChoice.h"
#include "app/design/AccessiblePicker.h"
#include "app/design/DesignStyle.h"
#include "app/design/SpokenNotice.h"

#include <QAccessible>
#include <QApplication>

namespace tollenvane {

DesignBehaviour::DesignBehaviour()
{
    // The application takes ownership of its style.
    QApplication::setStyle(new DesignStyle);
    // Installed after Qt's own, so asked first.
    QAccessible::installFactory(&AccessiblePicker::create);
    QAccessible::installFactory(&AccessibleChoice::create);
    QAccessible::installFactory(&SpokenNotice::create);
}

DesignBehaviour::~DesignBehaviour()
{
    QAccessible::removeFactory(&SpokenNotice::create);
    QAccessible::removeFactory(&AccessibleChoice::create);
    QAccessible::removeFactory(&AccessiblePicker::create);
}

} // namespace tollenvane
