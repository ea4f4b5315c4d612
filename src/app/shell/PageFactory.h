#pragma once

#include "model/Page.h"

#include <QWidget>
#include <memory>

namespace tollenvane {

class AppModel;

namespace PageFactory {

// A new widget for `page`, so that whatever the page holds of its own starts over each time it
// is shown.
std::unique_ptr<QWidget> make(Page page, AppModel& model);

} // namespace PageFactory
} // namespace tollenvane
