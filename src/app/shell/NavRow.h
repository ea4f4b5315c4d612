#pragma once

#include "app/design/ChoiceButton.h"
#include "app/design/TextFit.h"
#include "model/Page.h"

namespace tollenvane {

// One sidebar row leading to a page: its symbol on a small tile, its title, and a dot while it
// is the page shown; assistive technology hears it as one of the pages to choose, chosen or not.
class NavRow : public ChoiceButton {
    Q_OBJECT

public:
    explicit NavRow(Page page, QWidget* parent = nullptr);

    Page page() const { return page_; }
    // Wide enough for the whole title in its widest state, selected.
    QSize sizeHint() const override;
    // The title as drawn at the current width.
    TextFit titleFit() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;
    QRectF titleBox() const;

    Page page_;
};

} // namespace tollenvane
