#include "app/design/SelectableText.h"

#include "app/design/DesignFont.h"
#include "app/design/LineBox.h"
#include "app/design/SpokenName.h"
#include "app/design/Theme.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMimeData>

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
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this,
            &SelectableText::clipboardChanged);
}

void SelectableText::showText(const ShownText& text)
{
    if (text_ == text && this->text() == text.shown()) {
        return;
    }
    text_ = text;
    measuredWidth_ = -1;
    setText(text.shown());
    setSpokenName(*this, text.shown());
}

void SelectableText::setColor(ThemeColor color)
{
    color_ = color;
    update();
}

// Qt's label puts its selection on the clipboard as shown, from a key, its menu or the mouse:
// the copy that it just made is put right.
void SelectableText::clipboardChanged(QClipboard::Mode mode)
{
    if (!hasFocus() || !hasSelectedText()) {
        return;
    }
    QClipboard& clipboard = *QGuiApplication::clipboard();
    const QMimeData* made = clipboard.mimeData(mode);
    const QString selected = selectedText();
    // As Qt's copy words it: paragraph breaks as new lines, no-break spaces as spaces.
    const QString asCopied =
        QString(selected).replace(QChar::ParagraphSeparator, u'\n').replace(QChar::Nbsp, u' ');
    if (made == nullptr || made->text() != asCopied) {
        return;
    }
    const QString copied = text_.copied(selectionStart(), selected.size());
    if (copied != made->text()) {
        clipboard.setText(copied, mode);
    }
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
    const QColor color = Theme::color(color_);
    if (palette().color(QPalette::WindowText) != color) {
        QPalette colors = palette();
        colors.setColor(QPalette::WindowText, color);
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
