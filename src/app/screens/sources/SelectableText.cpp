#include "app/screens/sources/SelectableText.h"

#include "app/design/DesignFont.h"
#include "app/design/LineBox.h"
#include "app/design/Theme.h"

#include <QEvent>

namespace tollenvane {

SelectableText::SelectableText(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setWordWrap(true);
    setFont(DesignFont::system(11));
    setContentsMargins(inkMargins(font()));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void SelectableText::showText(const QString& text)
{
    if (this->text() == text) {
        return;
    }
    measuredWidth_ = -1;
    setText(text);
}

int SelectableText::heightForWidth(int width) const
{
    if (width != measuredWidth_) {
        measuredHeight_ = QLabel::heightForWidth(width);
        measuredWidth_ = width;
    }
    return measuredHeight_;
}

void SelectableText::paintEvent(QPaintEvent* event)
{
    const QColor muted = Theme::color(Theme::muted);
    if (palette().color(QPalette::WindowText) != muted) {
        QPalette colors = palette();
        colors.setColor(QPalette::WindowText, muted);
        setPalette(colors);
    }
    QLabel::paintEvent(event);
}

void SelectableText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        measuredWidth_ = -1;
    }
    QLabel::changeEvent(event);
}

} // namespace tollenvane
