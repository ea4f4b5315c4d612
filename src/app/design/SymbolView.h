#pragma once

#include "app/design/Theme.h"

#include <QWidget>

namespace tollenvane {

// One named symbol in a theme colour, resolved at paint time, in a square of the given side.
class SymbolView : public QWidget {
    Q_OBJECT

public:
    SymbolView(const QString& symbol, int side, ThemeColor color, QWidget* parent = nullptr);

    QString symbol() const { return symbol_; }
    QSize sizeHint() const override { return QSize(side_, side_); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    int side_;
    ThemeColor color_;
};

} // namespace tollenvane
