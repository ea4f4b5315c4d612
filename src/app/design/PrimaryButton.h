#pragma once

#include "app/design/LiftButton.h"

namespace tollenvane {

// The filled call to action: title, then symbol, in ink on the accent colour.
class PrimaryButton : public LiftButton {
    Q_OBJECT

public:
    PrimaryButton(const QString& title, const QString& symbol,
                  const std::function<void()>& action = {}, QWidget* parent = nullptr);
};

} // namespace tollenvane
