#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// The pages of the window, in the order the sidebar lists them.
enum class Page {
    dashboard,
    space,
    sources,
    history,
    settings,
    setup,
    swipe,
    summary,
    duplicates,
    applications,
};

inline constexpr std::array allPages{
    Page::dashboard, Page::space, Page::sources, Page::history,    Page::settings,
    Page::setup,     Page::swipe, Page::summary, Page::duplicates, Page::applications};

std::string_view rawValue(Page page);
std::optional<Page> pageFromRaw(std::string_view raw);

// The page's title in the current language.
std::string label(Page page);

} // namespace tollenvane
