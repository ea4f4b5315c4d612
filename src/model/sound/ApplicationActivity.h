#pragma once

namespace tollenvane {

// Whether the user is working in this application right now, rather than in another one.
class ApplicationActivity {
public:
    virtual ~ApplicationActivity() = default;
    virtual bool isActive() const = 0;
};

} // namespace tollenvane
