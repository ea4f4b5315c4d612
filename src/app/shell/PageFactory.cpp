#include "app/shell/PageFactory.h"

#include "app/screens/applications/ApplicationsPage.h"
#include "app/shell/PagePlaceholder.h"

namespace tollenvane::PageFactory {

std::unique_ptr<QWidget> make(Page page, [[maybe_unused]] const PageServices& services)
{
    // Each screen takes the model as it arrives; until then its page shows its title.
    switch (page) {
    case Page::dashboard:
    case Page::space:
    case Page::sources:
    case Page::history:
    case Page::settings:
    case Page::setup:
    case Page::swipe:
    case Page::summary:
    case Page::duplicates:
        break;
    case Page::applications:
        return std::make_unique<ApplicationsPage>(services);
    }
    return std::make_unique<PagePlaceholder>(page);
}

} // namespace tollenvane::PageFactory
