#pragma once

#include "app/design/Theme.h"

#include <QAbstractButton>
#include <functional>
#include <optional>

namespace tollenvane {

// How a painted button's label and surface look; the two shared buttons differ only in this.
struct ButtonLook {
    QFont font;
    int horizontalPadding = 0;
    int verticalPadding = 0;
    qreal cornerRadius = 0;
    ThemeColor fill;
    std::optional<ThemeColor> stroke;
    // None: the palette's button text, as any plain label.
    std::optional<ThemeColor> foreground;
    bool symbolFirst = false;
    int spacing = 0;
};

// A button that draws a title and a symbol on a rounded surface, dimmed as a whole by the lift
// style. The title is also its accessible name.
class LiftButton : public QAbstractButton {
    Q_OBJECT

public:
    LiftButton(const QString& title, const QString& symbol, const std::function<void()>& action,
               ButtonLook look, QWidget* parent);

    QString symbol() const { return symbol_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int symbolSide() const;

    QString symbol_;
    ButtonLook look_;
};

} // namespace tollenvane
