#include "core/base/WritablePages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace tollenvane {

void prepareForWriting(void* start, std::size_t bytes) noexcept
{
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto from = (reinterpret_cast<std::uintptr_t>(start) + page - 1) / page * page;
    const auto to = (reinterpret_cast<std::uintptr_t>(start) + bytes) / page * page;
    if (to > from) {
        // Older kernels refuse the request: nothing is lost but the gain.
        (void)::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
    }
}

} // namespace tollenvane
