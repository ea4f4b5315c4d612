#include "app/kit/PageText.h"

#include "app/design/DesignFont.h"

namespace tollenvane {

TextBlock* wrappedText(const QString& text, const TextStyle& style, QWidget* parent)
{
    auto* block = new TextBlock(text, parent);
    block->setFont(DesignFont::system(style.pixelSize, style.weight));
    block->setColor(style.color);
    return block;
}

ElidedLabel* lineText(const QString& text, const TextStyle& style, ElisionSide side,
                      QWidget* parent)
{
    auto* label = new ElidedLabel(text, side, parent);
    label->setFont(DesignFont::system(style.pixelSize, style.weight));
    label->setColor(style.color);
    return label;
}

void setPlainToolTip(QWidget& widget, const QString& text)
{
    // Marked as rich text so that the escaped entities show as the characters they stand for.
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    widget.setToolTip(text.isEmpty() ? QString() : QStringLiteral("<qt>") + escaped);
}

} // namespace tollenvane
