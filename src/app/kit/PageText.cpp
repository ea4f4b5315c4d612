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

} // namespace tollenvane
