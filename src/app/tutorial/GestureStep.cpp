#include "app/tutorial/GestureStep.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/SpokenNotice.h"
#include "app/design/TextBlock.h"
#include "app/kit/PageText.h"
#include "app/tutorial/DemoButton.h"
#include "app/tutorial/DemoCard.h"
#include "app/tutorial/StepScroll.h"
#include "app/tutorial/TutorialRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int spacing = 22;
constexpr int buttonSpacing = 14;
constexpr int messageHeight = 38;

Animations animationsOf(const AppModel& model)
{
    return model.state().preferences.animations ? Animations::on : Animations::off;
}

TextBlock* centred(const QString& text, const TextStyle& style)
{
    TextBlock* block = wrappedText(text, style);
    block->setAlignment(Qt::AlignHCenter);
    return block;
}

} // namespace

GestureStep::GestureStep(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , card_(new DemoCard)
    , message_(centred(localized(demoInvitationKey), TextStyle{12, QFont::Normal, Theme::muted}))
    , reset_(new PlainButton(localized("Annuler la démonstration"), Theme::orange))
    , notice_(new SpokenNotice(this))
{
    setObjectName(QStringLiteral("step-gestureDemo"));
    notice_->setObjectName(QStringLiteral("demoNotice"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);

    column->addWidget(centred(localized(stepHeadingKey(TutorialStep::gestureDemo)),
                              TextStyle{32, QFont::DemiBold, std::nullopt}));
    // The heading stays; what follows scrolls when the window is short.
    auto* scroll = new StepScroll;
    column->addWidget(scroll, 1);
    QVBoxLayout& body = scroll->body();
    body.setSpacing(spacing);
    body.addWidget(centred(localized("Glissez à gauche pour la Corbeille, à droite pour garder, en "
                                     "haut pour ranger ou en bas pour plus tard."),
                           TextStyle{13, QFont::Normal, Theme::muted}));
    body.addWidget(card_);
    card_->drawAbove(*this, *scroll->viewport());
    connect(card_, &DemoCard::released, this, &GestureStep::cardReleased);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(buttonSpacing);
    buttons->addStretch(1);
    for (const Demonstration& shown : demonstrations()) {
        auto* button = new DemoButton(shown.decision);
        connect(button, &QAbstractButton::clicked, this,
                [this, decision = shown.decision] { demonstrate(decision); });
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    body.addLayout(buttons);

    message_->setObjectName(QStringLiteral("demoMessage"));
    message_->setFixedHeight(messageHeight);
    body.addWidget(message_);

    reset_->setObjectName(QStringLiteral("resetDemo"));
    reset_->setFont(DesignFont::system(12));
    reset_->hide();
    connect(reset_, &QAbstractButton::clicked, this, &GestureStep::resetDemonstration);
    body.addWidget(reset_, 0, Qt::AlignHCenter);

    body.addWidget(
        centred(localized("Aucun vrai fichier n’est utilisé ici. Dans votre session, ← agit "
                          "immédiatement et Ctrl+Z annule la dernière décision."),
                TextStyle{11, QFont::Normal, Theme::muted}));
    body.addStretch(1);
}

void GestureStep::demonstrate(Decision decision)
{
    model_.playDemo(decision);
    const Demonstration& shown = demonstration(decision);
    showMessage(localized(shown.messageKey), true);
    // The keyboard stays where the demonstration was asked for.
    notice_->say(message_->text());
    card_->moveTo(shown.nudge, animationsOf(model_));
}

void GestureStep::cardReleased(QPointF translation)
{
    if (const auto decision = demoReleaseDecision(translation)) {
        demonstrate(*decision);
        return;
    }
    card_->moveTo(QPointF(), animationsOf(model_));
}

void GestureStep::resetDemonstration()
{
    card_->moveTo(QPointF(), animationsOf(model_));
    showMessage(localized(demoInvitationKey), false);
}

void GestureStep::showMessage(const QString& message, bool demonstrated)
{
    demonstrated_ = demonstrated;
    message_->setText(message);
    message_->setColor(demonstrated ? Theme::orange : Theme::muted);
    reset_->setVisible(demonstrated);
}

} // namespace tollenvane
