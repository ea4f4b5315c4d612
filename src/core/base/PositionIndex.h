#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tollenvane {

// A hash index of positions into an array that the caller keeps: eight bytes a slot and no
// allocation per entry, for indexes of millions of entries. The index stores no keys: the caller
// hashes, and answers whether the entry at a position matches. A 32-bit digest of each hash kept
// in the slot places the entry and spares most of those questions, each of which reaches into the
// caller's memory. Several positions may share a key. Open addressing with linear probing;
// deletion shifts entries back, so there are no tombstones. The table grows by half rather than
// doubling: for millions of entries its slack is most of what it costs.
class PositionIndex {
public:
    using Position = std::uint32_t;

    std::size_t size() const { return size_; }

    // The first stored position, in probe order, with that hash whose entry `matches`.
    template <class Matches>
    std::optional<Position> find(std::size_t hash, const Matches& matches) const
    {
        if (slots_.empty()) {
            return std::nullopt;
        }
        const std::uint32_t wanted = digest(hash);
        for (std::size_t slot = home(wanted); slots_[slot].stored != empty; slot = next(slot)) {
            if (slots_[slot].digest == wanted && matches(slots_[slot].stored - 1)) {
                return slots_[slot].stored - 1;
            }
        }
        return std::nullopt;
    }

    // How many stored positions with that hash match, counting no further than `limit`.
    template <class Matches>
    std::size_t count(std::size_t hash, const Matches& matches, std::size_t limit) const
    {
        std::size_t found = 0;
        if (slots_.empty()) {
            return found;
        }
        const std::uint32_t wanted = digest(hash);
        for (std::size_t slot = home(wanted); slots_[slot].stored != empty && found < limit;
             slot = next(slot)) {
            found += slots_[slot].digest == wanted && matches(slots_[slot].stored - 1) ? 1 : 0;
        }
        return found;
    }

    void insert(Position position, std::size_t hash)
    {
        if (!fits(size_ + 1)) {
            grow(larger(slots_.size()));
        }
        place({position + 1, digest(hash)});
        ++size_;
    }

    // Makes room for `count` entries in all, so that inserting up to them moves none.
    void reserve(std::size_t count)
    {
        if (fits(count)) {
            return;
        }
        std::size_t slotCount = slots_.size();
        do {
            slotCount = larger(slotCount);
        } while (count * 5 > slotCount * 4);
        grow(slotCount);
    }

    // Asks the processor for the slot where a probe for that hash begins, so that probes of a
    // batch of entries wait for memory together rather than one after the other. Always inlined:
    // the compiler takes a call that only prefetches for one without effect, and drops it.
    [[gnu::always_inline]] void prefetch(std::size_t hash) const
    {
        if (!slots_.empty()) {
            __builtin_prefetch(&slots_[home(digest(hash))]);
        }
    }

    // Takes out `position`, which must be stored with that hash.
    void erase(Position position, std::size_t hash)
    {
        std::size_t hole = slotOf(position, hash);
        // Entries after the hole that could live in it move back, so no probe ends early.
        for (std::size_t slot = next(hole); slots_[slot].stored != empty; slot = next(slot)) {
            if (distance(home(slots_[slot].digest), slot) >= distance(hole, slot)) {
                slots_[hole] = slots_[slot];
                hole = slot;
            }
        }
        slots_[hole] = Slot{};
        --size_;
    }

    // The entry stored at `from` now lives at `to` (the caller moved it).
    void relocate(Position from, Position to, std::size_t hash)
    {
        slots_[slotOf(from, hash)].stored = to + 1;
    }

private:
    static constexpr Position empty = 0;

    struct Slot {
        Position stored = empty; // position + 1
        std::uint32_t digest = 0;
    };

    static std::uint32_t digest(std::size_t hash)
    {
        return static_cast<std::uint32_t>(hash ^ (hash >> 32));
    }
    // The digest scaled to the table, which need not be a power of two.
    std::size_t home(std::uint32_t digest) const
    {
        return static_cast<std::size_t>((std::uint64_t{digest} * slots_.size()) >> 32);
    }
    std::size_t next(std::size_t slot) const { return slot + 1 == slots_.size() ? 0 : slot + 1; }
    std::size_t distance(std::size_t from, std::size_t to) const
    {
        return to >= from ? to - from : to + slots_.size() - from;
    }
    static std::size_t larger(std::size_t slotCount)
    {
        return slotCount < 16 ? 16 : slotCount + slotCount / 2;
    }

    std::size_t slotOf(Position position, std::size_t hash) const
    {
        std::size_t slot = home(digest(hash));
        while (slots_[slot].stored != position + 1) {
            slot = next(slot);
        }
        return slot;
    }

    void place(Slot entry)
    {
        std::size_t slot = home(entry.digest);
        while (slots_[slot].stored != empty) {
            slot = next(slot);
        }
        slots_[slot] = entry;
    }

    // Four in five slots at most are used, so that probes stay short.
    bool fits(std::size_t count) const { return count * 5 <= slots_.size() * 4; }

    void grow(std::size_t slotCount)
    {
        std::vector<Slot> old(slotCount);
        old.swap(slots_);
        for (const Slot& entry : old) {
            if (entry.stored != empty) {
                place(entry);
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
};

} // namespace tollenvane
