#pragma once

namespace tollenvane {

// A page whose keyboard starts on its call to action rather than on its first control: the
// window hands it the keyboard when the page opens with the focus nowhere else.
class KeyboardStart {
public:
    virtual ~KeyboardStart() = default;
    // Gives the focus to the call to action, or holds it for it while it is not open yet; false
    // when the page has none to offer, and its first control takes the focus instead.
    virtual bool takeKeyboard() = 0;

protected:
    KeyboardStart() = default;
    KeyboardStart(const KeyboardStart&) = default;
    KeyboardStart& operator=(const KeyboardStart&) = default;
};

} // namespace tollenvane
