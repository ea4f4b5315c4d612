#include "app/shell/PagePlaceholder.h"

#include "app/design/EmptyState.h"
#include "app/shell/SidebarRules.h"

#include <QVBoxLayout>

namespace tollenvane {

PagePlaceholder::PagePlaceholder(Page page, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("page-") + QString::fromUtf8(rawValue(page)));
    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    column->addWidget(new EmptyState(QString::fromUtf8(navigationSymbol(page)),
                                     QString::fromStdString(label(page)), {}));
    column->addStretch(1);
}

} // namespace tollenvane
