#include "app/design/EmptyState.h"

#include "app/design/DesignFont.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/TextBlock.h"

#include <QVBoxLayout>
#include <cmath>

namespace tollenvane {

namespace {

constexpr int symbolPixelSize = 38;
constexpr int titlePixelSize = 15;
constexpr int messageMaximumWidth = 420;

} // namespace

EmptyState::EmptyState(const QString& symbol, const QString& title, const QString& message,
                       QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(50, 50, 50, 50);
    layout->setSpacing(16);

    const int symbolSide = Symbol::sideBeside(symbolPixelSize);
    auto* symbolView = new SymbolView(symbol, symbolSide, Theme::orange, this);
    symbolView->setObjectName("symbol");

    auto* titleLine = new TextBlock(title, this);
    titleLine->setObjectName("title");
    titleLine->setFont(DesignFont::system(titlePixelSize, QFont::DemiBold));
    titleLine->setAlignment(Qt::AlignHCenter);

    auto* messageText = new TextBlock(message, this);
    messageText->setObjectName("message");
    messageText->setFont(DesignFont::system(13));
    messageText->setColor(Theme::muted);
    messageText->setAlignment(Qt::AlignHCenter);
    messageText->setMaximumLineWidth(messageMaximumWidth);

    layout->addWidget(symbolView, 0, Qt::AlignHCenter);
    layout->addWidget(titleLine);
    layout->addWidget(messageText);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

} // namespace tollenvane
