#include "app/preview/TextPane.h"

#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"

#include <QPainter>
#include <QPlainTextDocumentLayout>
#include <QSignalBlocker>
#include <QTextDocument>

namespace tollenvane {

namespace {

constexpr int textMargin = 16;

// Qt's own editor within the pane, which tells assistive technology of every change to the text
// and of every move of the caret.
QObject* textControl(const QPlainTextEdit& pane)
{
    for (QObject* child : pane.children()) {
        if (child->inherits("QWidgetTextControl")) {
            return child;
        }
    }
    return nullptr;
}

} // namespace

TextPane::TextPane(const QString& text, QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("textPane"));
    setReadOnly(true);
    // A caret the arrows move, line by line, for a screen reader to read each line it reaches;
    // the text stays as it is.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setFont(DesignFont::monospaced(12));
    setFocusPolicy(Qt::StrongFocus);
    setTextQuietly(text);
}

// Set as usual, the text and its caret are told to a screen reader before the pane shows; one
// that looks at them late finds the pane focused, takes it as the focus already told, and then
// says nothing as it opens. Filled apart and put in place untold, the pane is first heard as it
// takes the focus.
void TextPane::setTextQuietly(const QString& text)
{
    auto* filled = new QTextDocument(this);
    filled->setDocumentLayout(new QPlainTextDocumentLayout(filled));
    filled->setDefaultFont(font());
    filled->setDocumentMargin(textMargin);
    filled->setUndoRedoEnabled(false);
    filled->setPlainText(text);
    const QSignalBlocker untold(textControl(*this));
    setDocument(filled);
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
