#include "app/shell/ScreenReadings.h"

#include "app/deck/CardAccessible.h"
#include "app/screens/storage/TreemapAccessible.h"

namespace tollenvane {

std::vector<QAccessible::InterfaceFactory> screenReadings()
{
    return {&CardAccessible::factory, &TreemapAccessible::factory};
}

} // namespace tollenvane
