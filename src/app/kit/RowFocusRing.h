#pragma once

#include <QPointer>
#include <QWidget>

namespace tollenvane {

// The focus ring of a row that takes the focus itself, drawn over the row by the list that holds
// it, with the row's corners: a panel's, else small round ones.
class RowFocusRing final : public QWidget {
    Q_OBJECT

public:
    explicit RowFocusRing(QWidget* list);

    // Follows `row`, which stands in the same list; none hides the ring.
    void follow(QWidget* row);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QWidget> row_;
};

} // namespace tollenvane
