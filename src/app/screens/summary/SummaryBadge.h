#pragma once

#include <QWidget>

namespace tollenvane {

// The round mark of a finished session: a check on a faint accent disc.
class SummaryBadge : public QWidget {
    Q_OBJECT

public:
    explicit SummaryBadge(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {side, side}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int side = 110;
};

} // namespace tollenvane
