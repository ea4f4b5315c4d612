#include "core/base/SharedText.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

namespace tollenvane {

namespace {

std::size_t blockSize(std::uint32_t length)
{
    return sizeof(std::atomic<std::uint32_t>) + sizeof(std::uint32_t) + length + 1;
}

} // namespace

SharedText::SharedText(std::string_view text)
{
    static_assert(alignof(Header) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    if (text.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("text too long to share");
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    block_ = std::allocator<char>{}.allocate(blockSize(length));
    std::construct_at(reinterpret_cast<Header*>(block_), 1u, length);
    std::memcpy(characters(), text.data(), text.size());
    characters()[text.size()] = '\0';
}

SharedText::SharedText(const SharedText& other) noexcept
    : block_(other.block_)
{
    if (block_ != nullptr) {
        header()->holders.fetch_add(1, std::memory_order_relaxed);
    }
}

SharedText::SharedText(SharedText&& other) noexcept
    : block_(std::exchange(other.block_, nullptr))
{}

SharedText& SharedText::operator=(SharedText other) noexcept
{
    std::swap(block_, other.block_);
    return *this;
}

SharedText::~SharedText()
{
    release();
}

SharedText::Header* SharedText::header() const
{
    return std::launder(reinterpret_cast<Header*>(block_));
}

std::string_view SharedText::view() const
{
    return block_ ? std::string_view(characters(), header()->length) : std::string_view();
}

void SharedText::release() noexcept
{
    if (block_ == nullptr || header()->holders.fetch_sub(1, std::memory_order_acq_rel) != 1) {
        return;
    }
    const std::uint32_t length = header()->length;
    std::destroy_at(header());
    std::allocator<char>{}.deallocate(std::exchange(block_, nullptr), blockSize(length));
}

} // namespace tollenvane
