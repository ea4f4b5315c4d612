#pragma once

#include "core/volumes/StorageVolume.h"
#include "model/Page.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

class AppModel;

// The rows that lead to the main pages, top to bottom; settings sits apart at the bottom.
inline constexpr std::array navigationPages{Page::dashboard, Page::space, Page::applications,
                                            Page::sources, Page::history};

// The symbol of a page's row; pages without a row of their own share one.
std::string_view navigationSymbol(Page page);

// No row is highlighted on the pages reached from inside the others.
bool rowSelected(Page row, Page current);

// The way back into a review: the running session, else a saved one, else nothing.
enum class ResumeEntry { none, running, saved };

// What the sidebar reads of the model, in one place.
struct SidebarFacts {
    Page page = Page::dashboard;
    bool animatingSwipe = false;
    bool sessionActive = false;
    bool canResume = false;
    bool busy = false;
    bool resumeReady = false;
    std::int64_t remaining = 0;
    std::optional<StorageVolume> volume;
    std::int64_t diskTotal = 0;
    std::int64_t diskFree = 0;

    static SidebarFacts of(const AppModel& model);
};

ResumeEntry resumeEntry(const SidebarFacts& facts);
// Rows stay put while a card flies out, so the flight ends on the page it started on.
bool navigationEnabled(const SidebarFacts& facts);
bool savedSessionEnabled(const SidebarFacts& facts);

// The disk card of the selected volume.
struct DiskCardContent {
    std::string symbol;
    std::string title;
    // The title is the volume's own name, of any length, rather than a text of the catalogue.
    bool titleIsName = false;
    // Used share of the capacity, 0 to 1.
    double fill = 0;
    std::string freeSpace;

    bool operator==(const DiskCardContent&) const = default;
};

// Used over total, 0 without a capacity, kept within 0..1 whatever the volume reports.
double diskFillFraction(std::int64_t total, std::int64_t free);
DiskCardContent diskCard(const SidebarFacts& facts);

} // namespace tollenvane
