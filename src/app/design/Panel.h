#pragma once

#include <QWidget>

class QVBoxLayout;

namespace tollenvane {

// The content card: a rounded panel-coloured surface with a hairline edge, as wide as its
// container allows and as tall as what it holds. Callers add their content to contentLayout().
class Panel : public QWidget {
    Q_OBJECT

public:
    // The radius of the panel's corners.
    static constexpr qreal cornerRadius = 16;

    explicit Panel(QWidget* parent = nullptr);

    QVBoxLayout* contentLayout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* layout_;
};

} // namespace tollenvane
