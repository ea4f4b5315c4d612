#pragma once

#include <QPlainTextEdit>

namespace tollenvane {

// A text file's beginning, read-only, in the monospaced face; it takes the keys that scroll it
// (the arrows, Page Up, Page Down, Home and End) and draws the focus ring while it holds them.
class TextPane final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextPane(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tollenvane
