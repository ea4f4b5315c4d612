#pragma once

#include <functional>
#include <string>
#include <utility>

namespace tollenvane {

// A desktop service asked to show a file or a folder outside the application tells whoever
// follows it when nothing could, so that the user is never left without an answer.
class Unanswered {
public:
    // Told on the main thread, with the path that nothing showed.
    using Listener = std::function<void(const std::string& path)>;

    void whenUnanswered(Listener listener) { listener_ = std::move(listener); }

protected:
    Unanswered() = default;
    ~Unanswered() = default;
    Unanswered(const Unanswered&) = default;
    Unanswered& operator=(const Unanswered&) = default;

    void unanswered(const std::string& path) const
    {
        if (listener_) {
            listener_(path);
        }
    }

private:
    Listener listener_;
};

} // namespace tollenvane
