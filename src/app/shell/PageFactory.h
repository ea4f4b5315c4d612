#pragma once

#include "app/kit/PageServices.h"
#include "model/Page.h"

#include <QWidget>
#include <memory>

namespace tollenvane {

namespace PageFactory {

// A new widget for `page`, so that whatever the page holds of its own starts over each time it
// is shown.
std::unique_ptr<QWidget> make(Page page, const PageServices& services);

} // namespace PageFactory
} // namespace tollenvane
