#pragma once

#include <QStringList>
#include <QWidget>

namespace tollenvane {

// A row of mutually exclusive options, one of them selected. activated() tells of the user's
// choices only; setCurrentIndex() never emits it, so refreshes from the model cannot loop back.
class SegmentedControl : public QWidget {
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

private:
    void choose(int index);

    QStringList options_;
    int current_ = 0;
};

} // namespace tollenvane
