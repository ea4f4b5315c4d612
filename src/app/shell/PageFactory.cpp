#include "app/shell/PageFactory.h"

#include "app/deck/ReviewScreen.h"
#include "app/screens/applications/ApplicationsPage.h"
#include "app/screens/dashboard/DashboardPage.h"
#include "app/screens/preferences/PreferencesView.h"
#include "app/screens/setup/SessionSetupPage.h"
#include "app/screens/sources/SourcesPage.h"
#include "app/screens/space/SpacePage.h"
#include "app/screens/summary/SummaryPage.h"
#include "app/shell/PagePlaceholder.h"

namespace tollenvane::PageFactory {

std::unique_ptr<QWidget> make(Page page, const PageServices& services)
{
    // Each screen takes the model as it arrives; until then its page shows its title.
    switch (page) {
    case Page::swipe:
        return std::make_unique<ReviewScreen>(services.model, services.revealer);
    case Page::space:
        return std::make_unique<SpacePage>(services);
    case Page::sources:
        return std::make_unique<SourcesPage>(services.model, services.links);
    case Page::setup:
        return std::make_unique<SessionSetupPage>(services.model);
    case Page::dashboard:
        return std::make_unique<DashboardPage>(services.model);
    case Page::summary:
        return std::make_unique<SummaryPage>(services.model);
    case Page::history:
    case Page::duplicates:
        break;
    case Page::settings:
        return std::make_unique<PreferencesView>(services.model);
    case Page::applications:
        return std::make_unique<ApplicationsPage>(services);
    }
    return std::make_unique<PagePlaceholder>(page);
}

} // namespace tollenvane::PageFactory
