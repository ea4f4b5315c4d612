#pragma once

#include "app/design/TextFit.h"
#include "app/design/Theme.h"

#include <QWidget>
#include <optional>

namespace tollenvane {

// One line of plain text that never wraps: when it does not fit it shrinks down to a minimum
// scale, then loses characters in the middle or at the end.
class ElidedLabel : public QWidget {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text = {}, ElisionSide side = ElisionSide::end,
                         QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setElisionSide(ElisionSide side);
    void setMinimumScale(qreal scale);
    // None: the palette's window text.
    void setColor(std::optional<ThemeColor> token);
    // What is drawn at the current width.
    TextFit fitted() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    qreal naturalWidth() const;

    QString text_;
    // Measured once per text and font: layouts ask for it again and again, and the fit once per
    // width too, not at every paint.
    mutable QSize hint_;
    mutable std::optional<qreal> natural_;
    mutable std::optional<TextFit> fit_;
    mutable int fitWidth_ = -1;
    ElisionSide side_;
    qreal minimumScale_ = 1.0;
    std::optional<ThemeColor> color_;
};

} // namespace tollenvane
