#pragma once

#include <QWidget>

namespace tollenvane {

// A hairline across its container, in the line colour of the scheme in force.
class Divider final : public QWidget {
    Q_OBJECT

public:
    explicit Divider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tollenvane
