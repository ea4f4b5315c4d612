#include "app/design/DesignBehaviour.h"

#include "app/design/DesignStyle.h"

#include <QApplication>

namespace tollenvane {

DesignBehaviour::DesignBehaviour()
{
    // The application takes ownership of its style.
    QApplication::setStyle(new DesignStyle);
}

} // namespace tollenvane
