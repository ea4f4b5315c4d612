#include "app/shell/PageFactory.h"

#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/screens/history/HistoryPage.h"
#include "app/screens/kit/PageServices.h"
#include "app/shell/PagePlaceholder.h"

namespace tollenvane::PageFactory {

std::unique_ptr<QWidget> make(Page page, const PageServices& services)
{
    // Each screen takes the model as it arrives; until then its page shows its title.
    switch (page) {
    case Page::dashboard:
    case Page::space:
    case Page::sources:
    case Page::settings:
    case Page::setup:
    case Page::swipe:
    case Page::summary:
    case Page::applications:
        break;
    case Page::duplicates:
        return std::make_unique<DuplicatesPage>(services.model);
    case Page::history:
        return std::make_unique<HistoryPage>(services.model);
    }
    return std::make_unique<PagePlaceholder>(page);
}

} // namespace tollenvane::PageFactory
