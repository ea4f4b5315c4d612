#include "core/base/Date.h"

#include <chrono>

namespace tollenvane {

Date currentDate()
{
    const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count();
    return dateFromTimestamp(nanoseconds / 1'000'000'000,
                             static_cast<std::uint32_t>(nanoseconds % 1'000'000'000));
}

} // namespace tollenvane
