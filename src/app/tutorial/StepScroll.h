#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace tollenvane {

// The part of a tutorial step under its heading, scrolled when the window is too short for it:
// its scroll bar shows whenever some of it is hidden, and the control the keyboard reaches in it
// is brought into view, so that nothing of a step is out of reach from the mouse or the keyboard.
// A step shown again starts at its top.
class StepScroll final : public QScrollArea {
    Q_OBJECT

public:
    explicit StepScroll(QWidget* parent = nullptr);

    // The column the step's items go in.
    QVBoxLayout& body() const { return *body_; }

protected:
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;

private:
    void follow(QWidget* focused);

    QVBoxLayout* body_;
};

} // namespace tollenvane
