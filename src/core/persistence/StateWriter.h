#pragma once

#include "core/persistence/StateStore.h"

#include <cstdint>
#include <mutex>

namespace tollenvane {

// Every state write passes here, one at a time, and a snapshot overtaken by a newer one is
// dropped, so writes that arrive out of order cannot roll the file back.
class StateWriter {
public:
    explicit StateWriter(StateStore store);

    // Drops a revision below the last one written; writes an equal one again. On failure the
    // error is thrown and the last revision is unchanged.
    void write(const SavedState& state, std::uint64_t revision);

    std::uint64_t latest() const;
    const StateStore& store() const { return store_; }

private:
    const StateStore store_;
    mutable std::mutex lock_;
    std::uint64_t latest_ = 0;
};

} // namespace tollenvane
