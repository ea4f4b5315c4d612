#pragma once

#include <QObject>

class QAbstractButton;

namespace tollenvane {

// The arrows on a button move the focus among the controls beside it, those of the widget that
// holds it, and stop at either end. Qt's own buttons pass the focus on along the window's whole
// chain, so that Right on the last tile of a grid lands in the sidebar. Buttons that move among
// themselves already (a group, a list's row, a control's own options) keep their ways. One per
// window, for as long as it lives.
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
