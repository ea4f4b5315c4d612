#pragma once

#include "app/design/Theme.h"

#include <QWidget>

class QVariantAnimation;

namespace tollenvane {

// An indeterminate circular progress indicator that turns while it is shown.
class Spinner : public QWidget {
    Q_OBJECT

public:
    enum class Size { regular = 32, small = 16, mini = 10 };

    explicit Spinner(Size size = Size::regular, ThemeColor color = Theme::muted,
                     QWidget* parent = nullptr);

    bool isSpinning() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int side_;
    ThemeColor color_;
    QVariantAnimation* turn_;
    qreal angle_ = 0;
};

} // namespace tollenvane
