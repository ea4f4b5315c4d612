#pragma once

#include "app/design/ElidedLabel.h"
#include "app/design/PlainToolTip.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"

#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace tollenvane {

// The text of a page's blocks. Both kinds draw their text as plain text, so a file, folder or
// application name that looks like markup shows as it is.
struct TextStyle {
    int pixelSize = 13;
    QFont::Weight weight = QFont::Normal;
    std::optional<ThemeColor> color;
};

// Text that wraps to its width.
TextBlock* wrappedText(const QString& text, const TextStyle& style, QWidget* parent = nullptr);
// One line that shrinks, then elides.
ElidedLabel* lineText(const QString& text, const TextStyle& style,
                      ElisionSide side = ElisionSide::end, QWidget* parent = nullptr);

} // namespace tollenvane
