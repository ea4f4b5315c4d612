#pragma once

#include <QPlainTextEdit>

namespace tollenvane {

// A text file's beginning, read-only, in the monospaced face; the keys move a caret through it
// (the arrows, Page Up, Page Down, Home and End, with Ctrl for the whole text), the view
// following, and it draws the focus ring while it holds them.
class TextPane final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextPane(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setTextQuietly(const QString& text);
};

} // namespace tollenvane
