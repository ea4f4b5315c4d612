#include "core/platform/PlistShape.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tollenvane {

namespace {

// Real information dictionaries are a few kilobytes, a few dozen containers deep at most.
// libplist recurses once per level when it reads a binary list and when it frees any list, and
// copies a binary object once per reference to it, so a small hostile file could exhaust the
// stack or the memory: such files are refused before libplist sees them.
constexpr std::uint64_t maxNodes = 100'000;
constexpr std::size_t maxXmlContainers = 10'000;
constexpr std::size_t maxBinaryDepth = 512;

std::size_t occurrences(std::string_view text, std::string_view needle)
{
    std::size_t count = 0;
    for (auto at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + needle.size())) {
        ++count;
    }
    return count;
}

// Every element starts with "<" and every container with "<array" or "<dict", wherever it
// stands, so these counts bound what libplist can build whatever it takes for markup.
bool xmlIsTame(std::string_view text)
{
    return occurrences(text, "<") <= 2 * maxNodes &&
           occurrences(text, "<array") + occurrences(text, "<dict") <= maxXmlContainers;
}

std::uint64_t bigEndian(std::string_view data, std::size_t at, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | static_cast<unsigned char>(data[at + i]);
    }
    return value;
}

// The layout of a binary list: objects, then a table of their offsets, then a 32-byte trailer.
class BinaryPlistShape {
public:
    explicit BinaryPlistShape(std::string_view data)
        : data_(data)
    {}

    bool isTame() { return readTrailer() && walk(); }

private:
    bool readTrailer()
    {
        if (data_.size() < 8 + 32) {
            return false;
        }
        const std::size_t trailer = data_.size() - 32;
        offsetSize_ = static_cast<unsigned char>(data_[trailer + 6]);
        refSize_ = static_cast<unsigned char>(data_[trailer + 7]);
        objectCount_ = bigEndian(data_, trailer + 8, 8);
        topObject_ = bigEndian(data_, trailer + 16, 8);
        tableOffset_ = bigEndian(data_, trailer + 24, 8);
        return offsetSize_ >= 1 && offsetSize_ <= 8 && refSize_ >= 1 && refSize_ <= 8 &&
               objectCount_ >= 1 && objectCount_ <= maxNodes && topObject_ < objectCount_ &&
               tableOffset_ >= 8 && tableOffset_ <= trailer &&
               (trailer - tableOffset_) / offsetSize_ >= objectCount_;
    }

    // The objects a container refers to (keys and values of a dictionary); none for a scalar.
    // Nothing when the object runs past its area or refers to an object that does not exist.
    std::optional<std::vector<std::uint64_t>> references(std::uint64_t object) const
    {
        const std::uint64_t offset = bigEndian(
            data_, static_cast<std::size_t>(tableOffset_ + object * offsetSize_), offsetSize_);
        if (offset < 8 || offset >= tableOffset_) {
            return std::nullopt;
        }
        const auto marker = static_cast<unsigned char>(data_[offset]);
        const unsigned type = marker >> 4U;
        const bool dictionary = type == 0xD;
        if (type != 0xA && type != 0xC && !dictionary) {
            return std::vector<std::uint64_t>{};
        }
        std::size_t position = offset + 1;
        std::uint64_t count = marker & 0xFU;
        if (count == 0xF) {
            if (position >= tableOffset_) {
                return std::nullopt;
            }
            const auto countMarker = static_cast<unsigned char>(data_[position]);
            const std::size_t width = std::size_t{1} << (countMarker & 0xFU);
            if ((countMarker >> 4U) != 1 || width > 8 || position + 1 + width > tableOffset_) {
                return std::nullopt;
            }
            count = bigEndian(data_, position + 1, width);
            position += 1 + width;
        }
        if (count > maxNodes) {
            return std::nullopt;
        }
        const std::uint64_t referenceCount = dictionary ? 2 * count : count;
        if (referenceCount > (tableOffset_ - position) / refSize_) {
            return std::nullopt;
        }
        std::vector<std::uint64_t> result;
        result.reserve(referenceCount);
        for (std::uint64_t i = 0; i < referenceCount; ++i) {
            const std::uint64_t target = bigEndian(data_, position + i * refSize_, refSize_);
            if (target >= objectCount_) {
                return std::nullopt;
            }
            result.push_back(target);
        }
        return result;
    }

    // Depth-first over the object graph without recursion, remembering each object's depth and
    // the number of nodes it expands to: shared objects are counted once per reference, as
    // libplist copies them.
    bool walk()
    {
        enum class State : unsigned char { unseen, open, done };
        std::vector<State> state(objectCount_, State::unseen);
        std::vector<std::size_t> depth(objectCount_, 0);
        std::vector<std::uint64_t> nodes(objectCount_, 0);
        struct Frame {
            std::uint64_t object;
            std::vector<std::uint64_t> children;
            std::size_t next = 0;
        };
        std::vector<Frame> path;
        const auto enter = [&](std::uint64_t object) {
            auto children = references(object);
            if (!children) {
                return false;
            }
            state[object] = State::open;
            path.push_back({object, std::move(*children)});
            return true;
        };
        if (!enter(topObject_)) {
            return false;
        }
        while (!path.empty()) {
            Frame& frame = path.back();
            if (frame.next < frame.children.size()) {
                const std::uint64_t child = frame.children[frame.next++];
                if (state[child] == State::open) {
                    return false; // a cycle
                }
                if (state[child] == State::done) {
                    if (path.size() + depth[child] > maxBinaryDepth) {
                        return false;
                    }
                    continue;
                }
                if (path.size() >= maxBinaryDepth || !enter(child)) {
                    return false;
                }
                continue;
            }
            std::size_t deepest = 0;
            std::uint64_t total = 1;
            for (const std::uint64_t child : frame.children) {
                deepest = std::max(deepest, depth[child]);
                total += nodes[child];
                if (total > maxNodes) {
                    return false;
                }
            }
            depth[frame.object] = deepest + 1;
            nodes[frame.object] = total;
            state[frame.object] = State::done;
            path.pop_back();
        }
        return true;
    }

    std::string_view data_;
    std::size_t offsetSize_ = 0;
    std::size_t refSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t topObject_ = 0;
    std::uint64_t tableOffset_ = 0;
};

bool isBinaryPlist(std::string_view data)
{
    return data.starts_with("bplist00");
}

} // namespace

bool isTamePlist(std::string_view data)
{
    return isBinaryPlist(data) ? BinaryPlistShape(data).isTame() : xmlIsTame(data);
}

} // namespace tollenvane
