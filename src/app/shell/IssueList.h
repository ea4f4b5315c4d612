#pragma once

#include <QWidget>

namespace tollenvane {

// The scan's problems one under the other, each a stop for Tab; the one the keyboard is on is
// ringed, as a label draws no ring of its own. Its column keeps room around each for the ring.
class IssueList final : public QWidget {
    Q_OBJECT

public:
    explicit IssueList(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tollenvane
