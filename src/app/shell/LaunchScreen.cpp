#include "app/shell/LaunchScreen.h"

#include "app/design/BrandMark.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/Spinner.h"
#include "app/design/Theme.h"
#include "core/localisation/Localization.h"

#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {

LaunchScreen::LaunchScreen(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("launchScreen"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(22);
    column->addStretch(1);
    column->addWidget(new BrandMark(60), 0, Qt::AlignHCenter);
    column->addWidget(new Spinner(Spinner::Size::regular), 0, Qt::AlignHCenter);
    auto* waiting = new ElidedLabel(localized("Votre espace arrive…"));
    waiting->setFont(DesignFont::system(12));
    waiting->setColor(Theme::muted);
    column->addWidget(waiting, 0, Qt::AlignHCenter);
    column->addStretch(1);
}

void LaunchScreen::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::color(Theme::bg));
}

} // namespace tollenvane
