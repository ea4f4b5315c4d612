#pragma once

#include <QObject>

class QAbstractButton;

namespace tollenvane {

// Which way `key` goes along a line of controls laid out in `direction`: -1 back, 1 on, 0 for a
// key other than Left and Right. Right goes back in a right-to-left layout.
int stepAlong(int key, Qt::LayoutDirection direction);

// Left and Right on a button move the focus among the controls beside it, those of the widget
// that holds it, and stop at either end; Up and Down are the page's, which scrolls. Qt's own
// buttons pass the focus on along the window's whole chain with all four, so that Right on the
// last tile of a grid lands in the sidebar and Down on a tile moves right. Buttons that move
// among themselves already (a group, a list's row, a control's own options) keep their ways. One
// per window, for as long as it lives.
class ButtonArrows final : public QObject {
    Q_OBJECT

public:
    explicit ButtonArrows(QObject* parent = nullptr);
    ~ButtonArrows() override;

    ButtonArrows(const ButtonArrows&) = delete;
    ButtonArrows& operator=(const ButtonArrows&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool movesItsOwnWay(const QAbstractButton& button);
};

} // namespace tollenvane
