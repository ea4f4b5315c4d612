#pragma once

namespace tollenvane {

// How soon background work should run; higher runs first when the pool is busy.
enum class Priority { utility = 0, normal = 1, userInitiated = 2 };

} // namespace tollenvane
