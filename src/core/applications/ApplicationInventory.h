#pragma once

#include "core/applications/BundleSnapshot.h"

namespace tollenvane::ApplicationInventory {

inline BundleSnapshot snapshot(const std::string& bundle, std::stop_token stop = {})
{
    return BundleSnapshot::measure(bundle, std::move(stop));
}

} // namespace tollenvane::ApplicationInventory
