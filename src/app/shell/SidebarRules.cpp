#include "app/shell/SidebarRules.h"

#include "app/design/ShownName.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <algorithm>

namespace tollenvane {

std::string_view navigationSymbol(Page page)
{
    switch (page) {
    case Page::dashboard:
        return "square.grid.2x2";
    case Page::space:
        return "internaldrive";
    case Page::applications:
        return "app.dashed";
    case Page::sources:
        return "folder";
    case Page::history:
        return "clock.arrow.circlepath";
    case Page::settings:
        return "slider.horizontal.3";
    case Page::setup:
    case Page::swipe:
    case Page::summary:
    case Page::duplicates:
        break;
    }
    return "rectangle.stack";
}

bool rowSelected(Page row, Page current)
{
    return row == current;
}

SidebarFacts SidebarFacts::of(const AppModel& model)
{
    return {
        .page = model.page(),
        .animatingSwipe = model.animatingSwipe(),
        .sessionActive = model.sessionActive(),
        .canResume = model.canResume(),
        .busy = model.busy(),
        .resumeReady = model.resumeReady(),
        .remaining = static_cast<std::int64_t>(model.pending().remaining().size()),
        .volume = model.selectedVolume(),
        .diskTotal = model.diskTotal(),
        .diskFree = model.diskFree(),
    };
}

ResumeEntry resumeEntry(const SidebarFacts& facts)
{
    if (facts.sessionActive) {
        return ResumeEntry::running;
    }
    return facts.canResume ? ResumeEntry::saved : ResumeEntry::none;
}

bool navigationEnabled(const SidebarFacts& facts)
{
    return !facts.animatingSwipe;
}

bool savedSessionEnabled(const SidebarFacts& facts)
{
    return !facts.busy && facts.resumeReady;
}

double diskFillFraction(std::int64_t total, std::int64_t free)
{
    if (total <= 0) {
        return 0;
    }
    // In 64 bits before the division; a free count above the total would make it negative.
    const double used = static_cast<double>(total - std::clamp<std::int64_t>(free, 0, total));
    return std::clamp(used / static_cast<double>(total), 0.0, 1.0);
}

DiskCardContent diskCard(const SidebarFacts& facts)
{
    const bool external = facts.volume && facts.volume->external;
    std::string title;
    if (external) {
        title = facts.volume->name.empty() ? Localization::text("Disque externe")
                                           : shownName(facts.volume->name).toStdString();
    } else {
        title = Localization::text("Votre ordinateur");
    }
    return {
        .symbol = external ? "externaldrive" : "internaldrive",
        .title = std::move(title),
        .titleIsName = external && !facts.volume->name.empty(),
        .fill = diskFillFraction(facts.diskTotal, facts.diskFree),
        .freeSpace = Localization::text("{0} disponibles", {formattedBytes(facts.diskFree)}),
    };
}

} // namespace tollenvane
