#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace tollenvane {

// An immutable text whose copies share one allocation: a pointer wide, the count of holders
// and the length kept in front of the characters. The index holds a path once for the record,
// its key and the storage tree together.
class SharedText {
public:
    SharedText() = default;
    explicit SharedText(std::string_view text);
    SharedText(const SharedText& other) noexcept;
    SharedText(SharedText&& other) noexcept;
    SharedText& operator=(SharedText other) noexcept;
    ~SharedText();

    std::string_view view() const;
    operator std::string_view() const { return view(); }
    // Always terminated, for the system calls that want it.
    const char* c_str() const { return block_ ? characters() : ""; }
    std::string str() const { return std::string(view()); }

    bool operator==(const SharedText& other) const { return view() == other.view(); }

private:
    struct Header {
        std::atomic<std::uint32_t> holders;
        std::uint32_t length;
    };

    Header* header() const;
    char* characters() const { return block_ + sizeof(Header); }
    void release() noexcept;

    char* block_ = nullptr; // a Header, the characters, a NUL
};

} // namespace tollenvane
