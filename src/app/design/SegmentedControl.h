#pragma once

#include "app/design/ChoiceGroup.h"

#include <QStringList>
#include <vector>

namespace tollenvane {

class ChoiceButton;

// A row of mutually exclusive options, one of them selected. activated() tells of the user's
// choices only; setCurrentIndex() never emits it, so refreshes from the model cannot loop back.
//
// The control draws itself whole. Each option is also a choice of its own for the keyboard and
// assistive technology: the selected one is the control's one Tab stop, the arrows move the
// selection and the focus with it, and each is read by its text, selected or not, after the
// control's name.
class SegmentedControl : public ChoiceGroup {
    Q_OBJECT

public:
    explicit SegmentedControl(const QStringList& options, QWidget* parent = nullptr);

    int currentIndex() const { return current_; }
    void setCurrentIndex(int index);
    int count() const { return static_cast<int>(options_.size()); }
    QRect segmentRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void activated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void choose(int index);
    // Marks option `index` as the selected one; the focus follows it when the control held it.
    void select(int index);

    QStringList options_;
    std::vector<ChoiceButton*> segments_;
    int current_ = 0;
};

} // namespace tollenvane
