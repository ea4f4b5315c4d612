#include "app/tutorial/TutorialOverlay.h"

#include "app/design/BrandMark.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/MotionAnimator.h"
#include "app/design/Picker.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/SpokenNotice.h"
#include "app/design/Theme.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/PageText.h"
#include "app/kit/SymbolButtonText.h"
#include "app/tutorial/CloseButton.h"
#include "app/tutorial/GestureStep.h"
#include "app/tutorial/PreferencesStep.h"
#include "app/tutorial/SourcesStep.h"
#include "app/tutorial/StepBars.h"
#include "app/tutorial/TutorialRules.h"
#include "app/tutorial/WelcomeStep.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QApplication>
#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadialGradient>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>
#include <iterator>

namespace tollenvane {

namespace {

constexpr int columnSpacing = 22;
constexpr int columnPadding = 40;
constexpr int columnMaximumWidth = 790;
constexpr int stepPadding = 16;
constexpr int languageWidth = 150;
constexpr qreal glowOpacity = 0.1;
constexpr qreal glowFocalRadius = 10;
constexpr qreal glowRadius = 480;

int languageIndex(AppLanguage language)
{
    const auto found = std::find(allAppLanguages.begin(), allAppLanguages.end(), language);
    return static_cast<int>(std::distance(allAppLanguages.begin(), found));
}

// The column the step widgets share; each one sets its own alignment and spacing.
QWidget* stepColumn(const std::array<QWidget*, tutorialStepCount>& steps)
{
    auto* host = new QWidget;
    host->setObjectName(QStringLiteral("tutorialSteps"));
    auto* column = new QVBoxLayout(host);
    column->setContentsMargins(0, stepPadding, 0, stepPadding);
    for (QWidget* step : steps) {
        column->addWidget(step, 1);
    }
    return host;
}

} // namespace

TutorialOverlay::TutorialOverlay(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("tutorialOverlay"));

    auto* column = new QWidget;
    column->setMaximumWidth(columnMaximumWidth);
    auto* parts = new QVBoxLayout(column);
    parts->setContentsMargins(columnPadding, columnPadding, columnPadding, columnPadding);
    parts->setSpacing(columnSpacing);
    parts->addWidget(header());

    bars_ = new StepBars;
    parts->addWidget(bars_);

    steps_ = {new WelcomeStep, new GestureStep(model), new SourcesStep(model),
              new PreferencesStep(model)};
    // Each step keeps its heading in view and scrolls what is under it.
    stepsHost_ = stepColumn(steps_);
    parts->addWidget(stepsHost_, 1);

    parts->addWidget(footer());
    notice_ = new SpokenNotice(this);
    notice_->setObjectName(QStringLiteral("stepNotice"));
    parts->addWidget(wrappedText(localized("Hors ligne. Privé. Vos fichiers restent chez vous."),
                                 TextStyle{11, QFont::Normal, Theme::muted}));

    auto* centring = new QHBoxLayout(this);
    centring->setContentsMargins(0, 0, 0, 0);
    centring->addWidget(column);

    refresh_.follow(model, {&AppModel::stateChanged});
    refresh();
    showStep(false);
}

QWidget* TutorialOverlay::header()
{
    auto* header = new QWidget;
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new BrandMark(30));
    row->addWidget(
        lineText(QStringLiteral("Tollenvane"), TextStyle{15, QFont::Medium, std::nullopt}));
    row->addStretch(1);

    language_ = newPicker(localized("Langue"));
    language_->setObjectName(QStringLiteral("languagePicker"));
    language_->setFixedWidth(languageWidth);
    for (const AppLanguage language : allAppLanguages) {
        language_->addItem(QString::fromStdString(label(language)));
    }
    connect(language_, &QComboBox::activated, this, &TutorialOverlay::chooseLanguage);
    row->addWidget(language_);

    auto* close = new CloseButton;
    close->setObjectName(QStringLiteral("closeTutorial"));
    setSymbolButtonText(*close, localized("Fermer le tutoriel"));
    connect(close, &QAbstractButton::clicked, this, [this] { model_.finishOnboarding(); });
    row->addWidget(close);
    return header;
}

QWidget* TutorialOverlay::footer()
{
    auto* footer = new QWidget;
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(0, 0, 0, 0);
    back_ = new SecondaryButton(localized("Retour"), QStringLiteral("arrow.left"),
                                [this] { goTo(previousStep(step_)); });
    back_->setObjectName(QStringLiteral("backButton"));
    row->addWidget(back_);
    row->addStretch(1);
    counter_ = lineText({}, TextStyle{13, QFont::Normal, Theme::muted});
    counter_->setObjectName(QStringLiteral("stepCounter"));
    counter_->setFont(DesignFont::monospaced(11));
    row->addWidget(counter_);
    row->addStretch(1);

    const FooterAction onward = footerAction(0);
    const FooterAction last = footerAction(tutorialStepCount - 1);
    continue_ = new PrimaryButton(localized(onward.titleKey), QString::fromUtf8(onward.symbol),
                                  [this] { primaryAction(); });
    continue_->setObjectName(QStringLiteral("continueButton"));
    finish_ = new PrimaryButton(localized(last.titleKey), QString::fromUtf8(last.symbol),
                                [this] { primaryAction(); });
    finish_->setObjectName(QStringLiteral("finishButton"));
    row->addWidget(continue_);
    row->addWidget(finish_);
    return footer;
}

GestureStep& TutorialOverlay::gestureStep() const
{
    return *static_cast<GestureStep*>(steps_[1]);
}

void TutorialOverlay::refresh()
{
    const QSignalBlocker block(language_);
    language_->setCurrentIndex(languageIndex(model_.state().preferences.language));
}

void TutorialOverlay::primaryAction()
{
    if (footerAction(step_).finishes) {
        model_.finishOnboarding();
        return;
    }
    goTo(nextStep(step_));
}

void TutorialOverlay::goTo(int step)
{
    if (step == step_) {
        return;
    }
    step_ = step;
    const QWidget* focus = QApplication::focusWidget();
    showStep(model_.state().preferences.animations);
    // A step whose way on takes the keyboard is heard with it; any other is told as it shows.
    if (QApplication::focusWidget() == focus) {
        notice_->say(toldStep());
    }
}

void TutorialOverlay::showStep(bool animated)
{
    const TutorialStep shown = tutorialStepAt(step_);
    for (std::size_t index = 0; index < steps_.size(); ++index) {
        steps_[index]->setVisible(tutorialStepAt(static_cast<int>(index)) == shown);
    }
    bars_->setStep(step_);
    counter_->setText(stepCounterText(step_));
    tellStep();
    // A button about to go hands the keyboard to the step's way on, rather than to whatever
    // comes next in the chain.
    const bool finishes = footerAction(step_).finishes;
    replaceShown({{primaryButton(), true},
                  {*back_, showsBackButton(step_)},
                  {*continue_, !finishes},
                  {*finish_, finishes}});

    // The new step fades in along the tutorial's spring; the effect goes once it is opaque.
    if (fade_) {
        fade_->stop();
    }
    stepsHost_->setGraphicsEffect(nullptr);
    if (!animated) {
        return;
    }
    auto* opacity = new QGraphicsOpacityEffect(stepsHost_);
    opacity->setOpacity(0);
    stepsHost_->setGraphicsEffect(opacity);
    fade_ = animateValue(
        *this, 0.0, 1.0, Motion::tutorialSpring(), Animations::on,
        [effect = QPointer(opacity)](const QVariant& value) {
            if (effect) {
                effect->setOpacity(std::clamp(value.toDouble(), 0.0, 1.0));
            }
        },
        [this] { stepsHost_->setGraphicsEffect(nullptr); });
}

QString TutorialOverlay::toldStep() const
{
    const QString heading = localized(stepHeadingKey(tutorialStepAt(step_)));
    return localized("Étape {0} sur {1} : {2}",
                     {std::to_string(step_ + 1), std::to_string(tutorialStepCount),
                      heading.simplified().toStdString()});
}

// Each way through the steps says which step is shown, heard whenever the keyboard reaches it.
void TutorialOverlay::tellStep()
{
    const QString told = toldStep();
    for (QWidget* way : {static_cast<QWidget*>(back_), static_cast<QWidget*>(continue_),
                         static_cast<QWidget*>(finish_)}) {
        way->setAccessibleDescription(told);
    }
}

LiftButton& TutorialOverlay::primaryButton() const
{
    return footerAction(step_).finishes ? *finish_ : *continue_;
}

// The tutorial opens with the keyboard on its way on, the ring drawn, so that Enter goes on from
// the first step.
void TutorialOverlay::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    primaryButton().setFocus(Qt::OtherFocusReason);
    window()->setAttribute(Qt::WA_KeyboardFocusChange);
}

void TutorialOverlay::chooseLanguage(int index)
{
    if (index < 0 || index >= static_cast<int>(allAppLanguages.size())) {
        return;
    }
    Preferences preferences = model_.state().preferences;
    const AppLanguage language = allAppLanguages[static_cast<std::size_t>(index)];
    if (preferences.language == language) {
        return;
    }
    // The window is built again in the new language, and the tutorial starts over.
    preferences.language = language;
    model_.setPreferences(preferences);
    model_.save();
}

void TutorialOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Theme::color(Theme::bg));
    const QPointF centre(width() * 0.5, height() * 0.3);
    QRadialGradient glow(centre, glowRadius, centre, glowFocalRadius);
    QColor orange = Theme::color(Theme::orange);
    orange.setAlphaF(glowOpacity);
    glow.setColorAt(0, orange);
    glow.setColorAt(1, Qt::transparent);
    painter.fillRect(rect(), glow);
}

} // namespace tollenvane
