#pragma once

#include <QAbstractButton>

namespace tollenvane {

// An on/off setting drawn as a switch, its title at the leading edge and the switch at the
// trailing edge. toggled() tells of every change; clicked() only of the user's.
class Switch : public QAbstractButton {
    Q_OBJECT

public:
    explicit Switch(const QString& title, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    QRectF trackRect() const;
};

} // namespace tollenvane
