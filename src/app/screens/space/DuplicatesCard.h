#pragma once

#include <QAbstractButton>

namespace tollenvane {

// The card that starts a search for identical files; it says when the search must wait for the
// scan.
class DuplicatesCard final : public QAbstractButton {
    Q_OBJECT

public:
    explicit DuplicatesCard(QWidget* parent = nullptr);
    void setWaitingForScan(bool waiting);
    // The call to action as it reads now.
    QString actionText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool waiting_ = false;
};

} // namespace tollenvane
