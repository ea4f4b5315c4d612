#pragma once

#include <functional>
#include <string>
#include <utility>

namespace tollenvane {

// A desktop service asked to show a file or a folder, or to open an address, outside the
// application tells whoever follows it when nothing could, so that the user is never left
// without an answer.
class Unanswered {
public:
    // What was asked: a file or folder shown by the file manager, or an address opened by the
    // browser.
    enum class Request { show, open };
    // Told on the main thread, with the path or the address that nothing showed.
    using Listener = std::function<void(Request request, const std::string& target)>;

    void whenUnanswered(Listener listener) { listener_ = std::move(listener); }

protected:
    Unanswered() = default;
    ~Unanswered() = default;
    Unanswered(const Unanswered&) = default;
    Unanswered& operator=(const Unanswered&) = default;

    void unanswered(Request request, const std::string& target) const
    {
        if (listener_) {
            listener_(request, target);
        }
    }

private:
    Listener listener_;
};

} // namespace tollenvane
