#pragma once

#include "app/design/ChoiceButton.h"
#include "core/records/AppAppearance.h"

namespace tollenvane {

// One choice of appearance: a small picture of a window drawn in it, above its name, marked
// when it is the chosen one. The page says whether it is chosen; a click only emits clicked().
class AppearanceTile : public ChoiceButton {
    Q_OBJECT

public:
    explicit AppearanceTile(AppAppearance appearance, QWidget* parent = nullptr);

    AppAppearance appearance() const { return appearance_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintWindowPicture(QPainter& painter, const QRectF& picture) const;
    void paintNameRow(QPainter& painter, const QRectF& row) const;
    int nameRowWidth() const;

    AppAppearance appearance_;
};

} // namespace tollenvane
