#pragma once

#include <QAbstractButton>

namespace tollenvane {

// A borderless orange text button of the status bar, with an optional symbol before its text.
class StatusBarButton : public QAbstractButton {
    Q_OBJECT

public:
    StatusBarButton(const QString& text, const QString& symbol, int pixelSize,
                    QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int symbolSide() const;

    QString symbol_;
};

} // namespace tollenvane
