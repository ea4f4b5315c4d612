#pragma once

#include "app/design/EnterPressesButton.h"
#include "app/design/ScrollWheelGuard.h"
#include "app/design/TextFieldFocus.h"

#include <QAccessible>
#include <vector>

namespace tollenvane {

// What the design asks of every control in the application, for as long as it lives: stock
// controls wear the tokens, Enter presses the focused button, no picker follows the wheel, and
// assistive technology reads each picker by its label and each choice as chosen or not.
// The application and the screen tests make one each, right after the QApplication, with the
// accessible interfaces of the application's own widgets: every one is installed here.
class DesignBehaviour final {
public:
    explicit DesignBehaviour(std::vector<QAccessible::InterfaceFactory> factories = {});
    ~DesignBehaviour();
    DesignBehaviour(const DesignBehaviour&) = delete;
    DesignBehaviour& operator=(const DesignBehaviour&) = delete;

private:
    const EnterPressesButton enterPressesButton_;
    const ScrollWheelGuard wheelGuard_;
    const TextFieldFocus textFieldFocus_;
    std::vector<QAccessible::InterfaceFactory> factories_;
};

} // namespace tollenvane
