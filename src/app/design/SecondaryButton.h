#pragma once

#include "app/design/LiftButton.h"

namespace tollenvane {

// The outlined secondary action: symbol, then title, on the soft fill with a hairline edge.
class SecondaryButton : public LiftButton {
    Q_OBJECT

public:
    SecondaryButton(const QString& title, const QString& symbol,
                    const std::function<void()>& action = {}, QWidget* parent = nullptr);
};

} // namespace tollenvane
