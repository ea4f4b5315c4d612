#include "app/shell/PageFactory.h"

#include "app/screens/space/SpacePage.h"
#include "app/shell/PagePlaceholder.h"

namespace tollenvane::PageFactory {

std::unique_ptr<QWidget> make(Page page, [[maybe_unused]] const PageServices& services)
{
    // Each screen takes the model as it arrives; until then its page shows its title.
    switch (page) {
    case Page::space:
        return std::make_unique<SpacePage>(services);
    case Page::dashboard:
    case Page::sources:
    case Page::history:
    case Page::settings:
    case Page::setup:
    case Page::swipe:
    case Page::summary:
    case Page::duplicates:
    case Page::applications:
        break;
    }
    return std::make_unique<PagePlaceholder>(page);
}

} // namespace tollenvane::PageFactory
