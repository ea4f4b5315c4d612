#include "app/tutorial/WelcomeStep.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/kit/PageText.h"
#include "app/tutorial/StepScroll.h"
#include "app/tutorial/WelcomePicture.h"
#include "core/localisation/Localization.h"

#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int spacing = 30;
constexpr int keySize = 39;
constexpr qreal keyTracking = -1.2;

TextBlock* centred(std::string_view key, const TextStyle& style)
{
    TextBlock* block = wrappedText(localized(key), style);
    block->setAlignment(Qt::AlignHCenter);
    return block;
}

} // namespace

WelcomeStep::WelcomeStep(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("step-welcome"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    // Nothing here takes the focus: the whole step scrolls when the window is short.
    auto* scroll = new StepScroll;
    outer->addWidget(scroll);
    QVBoxLayout* column = &scroll->body();
    column->setSpacing(spacing);
    column->addWidget(new WelcomePicture);

    TextBlock* key = centred("Faites de la place\nsans vous prendre la tête.",
                             TextStyle{keySize, QFont::DemiBold, std::nullopt});
    key->setFont(DesignFont::tracked(DesignFont::system(keySize, QFont::DemiBold), keyTracking));
    column->addWidget(key);
    column->addWidget(centred("Un fichier. Une décision. Un ordinateur plus léger.",
                              TextStyle{16, QFont::Normal, Theme::muted}));
    column->addWidget(centred("Images, vidéos, documents, archives et applications : gardez ce "
                              "qui compte, libérez le reste.",
                              TextStyle{13, QFont::Normal, Theme::muted}));
    column->addStretch(1);
}

} // namespace tollenvane
