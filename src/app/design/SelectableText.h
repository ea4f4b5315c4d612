#pragma once

#include "app/design/ShownText.h"
#include "app/design/Theme.h"

#include <QClipboard>
#include <QLabel>

namespace tollenvane {

// Plain text that wraps to its width and that the user can select and copy, in a colour of the
// scheme in force, muted unless told. What it copies, by any way Qt offers, is the text with the
// names in it as they are, not as they are shown. Its height at a width is measured once per
// text: a layout asks for it again and again, and each measure lays the whole text out.
class SelectableText final : public QLabel {
    Q_OBJECT

public:
    explicit SelectableText(QWidget* parent = nullptr);

    // Leaves an equal text alone, so that a selection the user made survives a refresh.
    void showText(const ShownText& text);
    void setColor(ThemeColor color);
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void clipboardChanged(QClipboard::Mode mode);

    ShownText text_;
    ThemeColor color_ = Theme::muted;
    mutable int measuredWidth_ = -1;
    mutable int measuredHeight_ = 0;
};

} // namespace tollenvane
