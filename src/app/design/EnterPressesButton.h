#pragma once

#include <QObject>

namespace tollenvane {

// Enter and Return press the focused button, as Space does: Qt's buttons take only Space, and
// the painted ones are buttons too. One per application, for as long as it lives.
class EnterPressesButton final : public QObject {
    Q_OBJECT

public:
    explicit EnterPressesButton(QObject* parent = nullptr);
    ~EnterPressesButton() override;

    EnterPressesButton(const EnterPressesButton&) = delete;
    EnterPressesButton& operator=(const EnterPressesButton&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tollenvane
