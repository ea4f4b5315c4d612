#include "app/design/DesignBehaviour.h"

#include "app/design/AccessibleChoice.h"
#include "app/design/AccessibleDisclosure.h"
#include "app/design/AccessiblePercentSlider.h"
#include "app/design/AccessiblePicker.h"
#include "app/design/ChoiceGroup.h"
#include "app/design/DesignStyle.h"

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
    QAccessible::installFactory(&ChoiceGroup::accessible);
    QAccessible::installFactory(&AccessiblePercentSlider::create);
    QAccessible::installFactory(&AccessibleDisclosure::create);
}

DesignBehaviour::~DesignBehaviour()
{
    QAccessible::removeFactory(&AccessibleDisclosure::create);
    QAccessible::removeFactory(&AccessiblePercentSlider::create);
    QAccessible::removeFactory(&ChoiceGroup::accessible);
    QAccessible::removeFactory(&AccessibleChoice::create);
    QAccessible::removeFactory(&AccessiblePicker::create);
}

} // namespace tollenvane
