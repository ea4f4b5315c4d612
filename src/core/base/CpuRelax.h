#pragma once

namespace tollenvane {

// Said on each turn of a loop that waits for another thread: the processor then spins at a lower
// cost, and leaves more room to the other thread of its core.
inline void cpuRelax() noexcept
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__) || defined(__arm__)
    asm volatile("yield" ::: "memory");
#endif
}

} // namespace tollenvane
