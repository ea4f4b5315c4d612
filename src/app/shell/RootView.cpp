#include "app/shell/RootView.h"

namespace tollenvane {

RootView::RootView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
{}

} // namespace tollenvane
