#pragma once

#include "model/Page.h"

#include <QScrollArea>

class QVBoxLayout;

namespace tollenvane {

// A page of the detail area: one column of blocks, aligned to the leading edge, that scrolls
// vertically when the window is shorter than the page.
class PageScaffold : public QScrollArea {
    Q_OBJECT

public:
    PageScaffold(Page page, int spacing, int padding, QWidget* parent = nullptr);

    QVBoxLayout& column() { return *column_; }
    // Adds a block under the previous ones; the column keeps its slack at the bottom.
    void addBlock(QWidget* block);

private:
    QVBoxLayout* column_;
};

} // namespace tollenvane
