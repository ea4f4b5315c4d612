#include "app/tutorial/PreferencesStep.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/SegmentedControl.h"
#include "app/design/SpokenName.h"
#include "app/design/Switch.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "app/tutorial/StepScroll.h"
#include "app/tutorial/TutorialRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

namespace tollenvane {

namespace {

constexpr int spacing = 24;
constexpr int panelSpacing = 22;
constexpr int controlSize = 13;
constexpr int noteSize = 12;

QStringList appearanceLabels()
{
    QStringList labels;
    for (const AppAppearance appearance : allAppAppearances) {
        labels << QString::fromStdString(label(appearance));
    }
    return labels;
}

int appearanceIndex(AppAppearance appearance)
{
    const auto found = std::find(allAppAppearances.begin(), allAppAppearances.end(), appearance);
    return static_cast<int>(std::distance(allAppAppearances.begin(), found));
}

} // namespace

PreferencesStep::PreferencesStep(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , appearance_(new SegmentedControl(appearanceLabels()))
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("step-preferences"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->addWidget(
        new PageHeading(localized("Votre rythme, vos préférences"),
                        localized(stepHeadingKey(TutorialStep::preferences)),
                        localized("Tous ces réglages restent accessibles à tout moment.")));
    // The heading stays; the settings under it scroll when the window is short.
    auto* scroll = new StepScroll;
    column->addWidget(scroll, 1);
    QVBoxLayout& body = scroll->body();
    body.setSpacing(spacing);

    auto* panel = new Panel;
    // Its last text wraps: the panel takes the height the wrapped lines need.
    panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    panel->contentLayout()->setSpacing(panelSpacing);
    auto* appearanceRow = new QHBoxLayout;
    appearanceRow->addWidget(
        lineText(localized("Apparence"), TextStyle{controlSize, QFont::Normal, std::nullopt}), 1);
    appearance_->setObjectName(QStringLiteral("appearancePicker"));
    setSpokenName(*appearance_, localized("Apparence"));
    appearance_->setFont(DesignFont::system(controlSize));
    appearanceRow->addWidget(appearance_);
    panel->contentLayout()->addLayout(appearanceRow);
    connect(appearance_, &SegmentedControl::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(allAppAppearances.size())) {
            change([index](Preferences& preferences) {
                preferences.appearance = allAppAppearances[static_cast<std::size_t>(index)];
            });
        }
    });
    sounds_ = addSwitch(*panel, localized("Sons discrets"), "soundsSwitch", &Preferences::sounds);
    animations_ = addSwitch(*panel, localized("Animations de cartes"), "animationsSwitch",
                            &Preferences::animations);
    confirmTrash_ = addSwitch(*panel, localized("Confirmer chaque mise à la Corbeille"),
                              "confirmTrashSwitch", &Preferences::confirmTrash);
    panel->contentLayout()->addWidget(wrappedText(
        localized("La confirmation est désactivée par défaut : un swipe suffit. La Corbeille "
                  "reste réversible et Tollenvane ne la vide jamais."),
        TextStyle{noteSize, QFont::Normal, Theme::muted}));
    body.addWidget(panel);

    auto* reminder = new QHBoxLayout;
    reminder->addWidget(new SymbolView(QStringLiteral("play.rectangle"),
                                       Symbol::sideBeside(noteSize), Theme::orange));
    reminder->addWidget(lineText(localized("Retrouvez ce tutoriel dans les réglages."),
                                 TextStyle{noteSize, QFont::Normal, Theme::orange}));
    reminder->addStretch(1);
    body.addLayout(reminder);
    body.addStretch(1);

    refresh_.follow(model, {&AppModel::stateChanged});
    refresh();
}

Switch* PreferencesStep::addSwitch(Panel& panel, const QString& title, const char* name,
                                   bool Preferences::*setting)
{
    auto* control = new Switch(title);
    control->setObjectName(QString::fromLatin1(name));
    panel.contentLayout()->addWidget(control);
    connect(control, &QAbstractButton::clicked, this, [this, setting](bool checked) {
        change([setting, checked](Preferences& preferences) { preferences.*setting = checked; });
    });
    return control;
}

void PreferencesStep::refresh()
{
    const Preferences& preferences = model_.state().preferences;
    const QSignalBlocker blockAppearance(appearance_);
    appearance_->setCurrentIndex(appearanceIndex(preferences.appearance));
    for (auto [control, setting] : {std::pair{sounds_, &Preferences::sounds},
                                    std::pair{animations_, &Preferences::animations},
                                    std::pair{confirmTrash_, &Preferences::confirmTrash}}) {
        const QSignalBlocker block(control);
        control->setChecked(preferences.*setting);
    }
}

void PreferencesStep::change(const std::function<void(Preferences&)>& edit)
{
    Preferences preferences = model_.state().preferences;
    edit(preferences);
    if (preferences == model_.state().preferences) {
        return;
    }
    model_.setPreferences(preferences);
    model_.save();
}

} // namespace tollenvane
