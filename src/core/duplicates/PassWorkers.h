#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

namespace tollenvane {

// Runs one pass of the duplicate search: a key for each file, computed on a few threads, while
// the calling thread hears of every completion in turn, so that progress is reported from the
// caller's side in increasing order.
namespace PassWorkers {

// Memory a thread keeps for all its reads.
class Scratch {
public:
    explicit Scratch(std::size_t size);
    std::span<std::byte> bytes(std::int64_t count) const;

private:
    std::size_t size_;
    std::unique_ptr<std::byte[]> bytes_;
};

// The key of the file at `position`, nothing when it drops out; may run on any thread, and
// throws only to end the whole pass.
using Job = std::function<std::optional<std::string>(std::size_t position, const Scratch& scratch,
                                                     const std::stop_token& stop)>;
// Told on the calling thread that `count` files are done, for count 1, 2, ...; may throw to end
// the pass.
using Done = std::function<void(std::size_t count)>;

// The keys by position, for the positions of `order` taken in that order. With one thread
// everything runs on the calling thread. Ends, with every thread joined, by rethrowing the
// first throw of a job or of `done`, or Cancelled when `stop` is requested.
std::vector<std::optional<std::string>> run(std::span<const std::size_t> order, unsigned threads,
                                            std::size_t scratchSize, const std::stop_token& stop,
                                            const Job& job, const Done& done);

} // namespace PassWorkers
} // namespace tollenvane
