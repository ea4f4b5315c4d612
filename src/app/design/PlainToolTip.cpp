#include "app/design/PlainToolTip.h"

#include "app/design/ShownName.h"

#include <QWidget>

namespace tollenvane {

QString plainToolTipText(const QString& text)
{
    // Marked as rich text so that the escaped entities show as the characters they stand for.
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return text.isEmpty() ? QString() : QStringLiteral("<qt>") + escaped;
}

void setPlainToolTip(QWidget& widget, const QString& text)
{
    widget.setToolTip(plainToolTipText(text));
    // Assistive technology would read the tool tip as it is, markup included. Each new
    // description is told to it: an unchanged one is left as it is.
    const QString description = spokenText(text);
    if (widget.accessibleDescription() != description) {
        widget.setAccessibleDescription(description);
    }
}

} // namespace tollenvane
