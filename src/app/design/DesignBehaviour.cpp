#include "app/design/DesignBehaviour.h"

#include "app/design/AccessibleChoice.h"
#include "app/design/AccessibleDisclosure.h"
#include "app/design/AccessiblePercentSlider.h"
#include "app/design/AccessiblePicker.h"
#include "app/design/ChoiceGroup.h"
#include "app/design/DesignStyle.h"
#include "app/design/SpokenNotice.h"

#include <QApplication>

namespace tollenvane {

DesignBehaviour::DesignBehaviour(std::vector<QAccessible::InterfaceFactory> factories)
    : factories_{&AccessiblePicker::create,     &AccessibleChoice::create,
                 &ChoiceGroup::accessible,      &AccessiblePercentSlider::create,
                 &AccessibleDisclosure::create, &SpokenNotice::create}
{
    factories_.insert(factories_.end(), factories.begin(), factories.end());
    // The application takes ownership of its style.
    QApplication::setStyle(new DesignStyle);
    // Installed after Qt's own, so asked first.
    for (const QAccessible::InterfaceFactory factory : factories_) {
        QAccessible::installFactory(factory);
    }
}

DesignBehaviour::~DesignBehaviour()
{
    for (const QAccessible::InterfaceFactory factory : factories_) {
        QAccessible::removeFactory(factory);
    }
}

} // namespace tollenvane
