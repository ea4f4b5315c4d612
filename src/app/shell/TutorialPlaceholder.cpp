#include "app/shell/TutorialPlaceholder.h"

#include "app/design/BrandMark.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/PrimaryButton.h"
#include "app/design/Theme.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {

TutorialPlaceholder::TutorialPlaceholder(AppModel& model, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("tutorialOverlay"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(22);
    column->addStretch(1);
    column->addWidget(new BrandMark(60), 0, Qt::AlignHCenter);
    auto* name = new ElidedLabel(QStringLiteral("Tollenvane"));
    name->setFont(DesignFont::tracked(DesignFont::system(28, QFont::DemiBold), -0.5));
    column->addWidget(name, 0, Qt::AlignHCenter);
    auto* open =
        new PrimaryButton(QString::fromStdString(Localization::text("Ouvrir mon espace")),
                          QStringLiteral("checkmark"), [&model] { model.finishOnboarding(); });
    open->setObjectName(QStringLiteral("finishOnboarding"));
    column->addWidget(open, 0, Qt::AlignHCenter);
    column->addStretch(1);
}

void TutorialPlaceholder::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::color(Theme::bg));
}

} // namespace tollenvane
