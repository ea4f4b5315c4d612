#include "app/shell/PageFactory.h"

#include "app/deck/ReviewScreen.h"
#include "app/screens/applications/ApplicationsPage.h"
#include "app/screens/dashboard/DashboardPage.h"
#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/screens/history/HistoryPage.h"
#include "app/screens/preferences/PreferencesView.h"
#include "app/screens/setup/SessionSetupPage.h"
#include "app/screens/sources/SourcesPage.h"
#include "app/screens/space/SpacePage.h"
#include "app/screens/summary/SummaryPage.h"

#include <stdexcept>

namespace tollenvane::PageFactory {

std::unique_ptr<QWidget> make(Page page, const PageServices& services)
{
    switch (page) {
    case Page::dashboard:
        return std::make_unique<DashboardPage>(services.model);
    case Page::space:
        return std::make_unique<SpacePage>(services);
    case Page::sources:
        return std::make_unique<SourcesPage>(services.model, services.links);
    case Page::history:
        return std::make_unique<HistoryPage>(services.model);
    case Page::settings:
        return std::make_unique<PreferencesView>(services.model);
    case Page::setup:
        return std::make_unique<SessionSetupPage>(services.model);
    case Page::swipe:
        return std::make_unique<ReviewScreen>(services.model, services.revealer);
    case Page::summary:
        return std::make_unique<SummaryPage>(services.model);
    case Page::duplicates:
        return std::make_unique<DuplicatesPage>(services.model);
    case Page::applications:
        return std::make_unique<ApplicationsPage>(services);
    }
    throw std::invalid_argument("no page for this value");
}

} // namespace tollenvane::PageFactory
