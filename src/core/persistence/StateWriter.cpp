#include "core/persistence/StateWriter.h"

namespace tollenvane {

StateWriter::StateWriter(StateStore store)
    : store_(std::move(store))
{}

void StateWriter::write(const SavedState& state, std::uint64_t revision)
{
    const std::scoped_lock guard(lock_);
    if (revision < latest_) {
        return;
    }
    store_.save(state);
    latest_ = revision;
}

std::uint64_t StateWriter::latest() const
{
    const std::scoped_lock guard(lock_);
    return latest_;
}

} // namespace tollenvane
