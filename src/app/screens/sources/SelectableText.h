#pragma once

#include <QLabel>

namespace tollenvane {

// Plain text that wraps to its width and that the user can select and copy, in the muted colour
// of the scheme in force. Its height at a width is measured once per text: a layout asks for it
// again and again, and each measure lays the whole text out.
class SelectableText final : public QLabel {
    Q_OBJECT

public:
    explicit SelectableText(QWidget* parent = nullptr);

    // Leaves an equal text alone, so that a selection the user made survives a refresh.
    void showText(const QString& text);
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    mutable int measuredWidth_ = -1;
    mutable int measuredHeight_ = 0;
};

} // namespace tollenvane
