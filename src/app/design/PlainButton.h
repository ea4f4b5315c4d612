#pragma once

#include "app/design/Theme.h"

#include <QAbstractButton>

namespace tollenvane {

// A button that draws only its symbol or its text, in a theme colour, faded while disabled.
class PlainButton final : public QAbstractButton {
    Q_OBJECT

public:
    // A symbol in a square of `side`.
    PlainButton(const QString& symbol, int side, ThemeColor color, QWidget* parent = nullptr);
    // A line of text in the widget's font.
    PlainButton(const QString& text, ThemeColor color, QWidget* parent = nullptr);
    // A symbol the height of the text, then the text.
    PlainButton(const QString& text, const QString& symbol, ThemeColor color,
                QWidget* parent = nullptr);

    QString symbol() const { return symbol_; }
    void setSymbol(const QString& symbol, ThemeColor color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString symbol_;
    int side_ = 0;
    ThemeColor color_;
};

} // namespace tollenvane
