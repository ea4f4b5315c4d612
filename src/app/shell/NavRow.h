#pragma once

#include "model/Page.h"

#include <QAbstractButton>

namespace tollenvane {

// One sidebar row leading to a page: its symbol on a small tile, its title, and a dot while it
// is the page shown.
class NavRow : public QAbstractButton {
    Q_OBJECT

public:
    explicit NavRow(Page page, QWidget* parent = nullptr);

    Page page() const { return page_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont titleFont() const;

    Page page_;
    bool selected_ = false;
};

} // namespace tollenvane
