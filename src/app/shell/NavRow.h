#pragma once

#include "app/design/SelectableButton.h"
#include "model/Page.h"

namespace tollenvane {

// One sidebar row leading to a page: its symbol on a small tile, its title, and a dot while it
// is the page shown.
class NavRow : public SelectableButton {
    Q_OBJECT

public:
    explicit NavRow(Page page, QWidget* parent = nullptr);

    Page page() const { return page_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;

    Page page_;
};

} // namespace tollenvane
