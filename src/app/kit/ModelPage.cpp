#include "app/kit/ModelPage.h"

namespace tollenvane {

ModelPage::ModelPage(AppModel& model, Page page, int spacing, int padding, QWidget* parent)
    : PageScaffold(page, spacing, padding, parent)
    , model_(model)
    , refresh_(*this, [this] {
        refresh();
        // The page shows anew: a control that went hands on the focus it kept, unless the page
        // goes meanwhile.
        handFocusOnLater();
    })
{
    refresh_.request();
}

void ModelPage::follow(std::initializer_list<void (AppModel::*)()> changes)
{
    refresh_.follow(model_, changes);
}

} // namespace tollenvane
