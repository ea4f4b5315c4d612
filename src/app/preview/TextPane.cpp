#include "app/preview/TextPane.h"

#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int textMargin = 16;

} // namespace

TextPane::TextPane(const QString& text, QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("textPane"));
    setReadOnly(true);
    setFrameShape(QFrame::NoFrame);
    setFont(DesignFont::monospaced(12));
    setFocusPolicy(Qt::StrongFocus);
    document()->setDocumentMargin(textMargin);
    setPlainText(text);
}

void TextPane::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    paintFocusRing(painter, QRectF(viewport()->rect()), 0, *this);
}

void TextPane::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void TextPane::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
}

} // namespace tollenvane
