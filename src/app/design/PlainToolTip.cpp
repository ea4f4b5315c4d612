#include "app/design/PlainToolTip.h"

#include "app/design/ShownName.h"

#include <QWidget>

namespace tollenvane {

void setPlainToolTip(QWidget& widget, const QString& text)
{
    // Marked as rich text so that the escaped entities show as the characters they stand for.
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    widget.setToolTip(text.isEmpty() ? QString() : QStringLiteral("<qt>") + escaped);
    // Assistive technology would read the tool tip as it is, markup included.
    widget.setAccessibleDescription(spokenText(text));
}

} // namespace tollenvane
