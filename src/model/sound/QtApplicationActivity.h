#pragma once

#include "model/sound/ApplicationActivity.h"

namespace tollenvane {

// Active while one of the application's windows has the focus. A program without windows is
// never active.
class QtApplicationActivity final : public ApplicationActivity {
public:
    bool isActive() const override;
};

} // namespace tollenvane
