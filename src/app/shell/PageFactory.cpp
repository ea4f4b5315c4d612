#include "app/shell/PageFactory.h"

#include "app/deck/ReviewScreen.h"
#include "app/shell/PagePlaceholder.h"

namespace tollenvane::PageFactory {

std::unique_ptr<QWidget> make(Page page, const PageServices& services)
{
    // Each screen takes the model as it arrives; until then its page shows its title.
    switch (page) {
    case Page::swipe:
        return std::make_unique<ReviewScreen>(services.model, services.revealer);
    case Page::dashboard:
    case Page::space:
    case Page::sources:
    case Page::history:
    case Page::settings:
    case Page::setup:
    case Page::summary:
    case Page::duplicates:
    case Page::applications:
        break;
    }
    return std::make_unique<PagePlaceholder>(page);
}

} // namespace tollenvane::PageFactory
