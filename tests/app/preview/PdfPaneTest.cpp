#include "app/preview/PdfPane.h"

#include "Waiting.h"
#include "app/design/Theme.h"
#include "app/preview/PdfPageColumn.h"
#include "support/Screenshots.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <cmath>
#include <limits>

namespace tollenvane {
namespace {

TEST(PdfPageColumn, PagesLieOneUnderTheOtherAndAreFoundByWhereTheViewIs)
{
    constexpr qreal nan = std::numeric_limits<qreal>::quiet_NaN();
    // A4, a landscape page, and two without a usable size of their own, which take A4's.
    const PdfPageColumn column({{595, 842}, {842, 595}, {0, 0}, {nan, 10}});
    const int gap = PdfPageColumn::gap;
    ASSERT_EQ(column.count(), 4);
    const QRect first = column.page(0, 900);
    EXPECT_EQ(first, QRect((900 - 800) / 2, gap, 800, 1132));
    const QRect second = column.page(1, 900);
    EXPECT_EQ(second.top(), first.bottom() + 1 + gap);
    EXPECT_EQ(second.size(), QSize(800, 565));
    EXPECT_EQ(column.page(2, 900).size(), first.size());
    EXPECT_EQ(column.page(3, 900).size(), first.size());
    EXPECT_EQ(column.size(), QSize(800 + 2 * gap, gap + 3 * (1132 + gap) + 565 + gap));
    // Narrower than the pages, the column keeps its margin.
    EXPECT_EQ(column.page(0, 300).left(), gap);

    EXPECT_EQ(column.pagesWithin(0, 100), (std::pair{0, 0}));
    EXPECT_EQ(column.pagesWithin(first.bottom() - 5, 30), (std::pair{0, 1}));
    EXPECT_EQ(column.pagesWithin(first.bottom() + 1, gap), std::nullopt) << "the gap between";
    EXPECT_EQ(column.pagesWithin(0, column.size().height()), (std::pair{0, 3}));
    EXPECT_EQ(column.pagesWithin(column.size().height(), 500), std::nullopt);
    EXPECT_EQ(PdfPageColumn({}).pagesWithin(0, 500), std::nullopt);

    // The reader is on the page across the view's middle, or below the gap there.
    EXPECT_EQ(column.pageAt(0, 600), 0);
    EXPECT_EQ(column.pageAt(first.bottom() - 100, 400), 1);
    EXPECT_EQ(column.pageAt(first.bottom() + 1 - 300, 600), 1) << "the gap between";
    EXPECT_EQ(column.pageAt(column.size().height() - 600, 600), 3);
    EXPECT_EQ(PdfPageColumn({}).pageAt(0, 500), 0);
}

// The decoder cannot draw a page of what is not a document: the page shows the placeholder, not
// blank paper, in both appearances.
TEST(PdfPane, APageThatCannotBeDrawnShowsAPlainPlaceholder)
{
    const test::TempDir folder;
    const std::string notes = folder.write("notes.pdf", "Only words, no document.\n");
    auto checked = std::make_shared<const UniqueFd>(::open(notes.c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_TRUE(*checked);
    PdfPane pane(checked, {{595, 842}});
    pane.resize(860, 560);
    pane.show();
    ASSERT_TRUE(test::processUntil([&] { return pane.hasFailed(0); }));
    EXPECT_EQ(pane.pagesBeingDrawn(), 0);
    EXPECT_EQ(pane.heldPages(), 0);
    const QImage shot = pane.grab().toImage();
    shot.save(test::screenshotFolder() + "/preview-pdf-page-failed.png");
    const QRect page = pane.pageRect(0);
    EXPECT_EQ(shot.pixelColor(page.left() + 20, page.top() + 20), Theme::color(Theme::soft));
}

} // namespace
} // namespace tollenvane
