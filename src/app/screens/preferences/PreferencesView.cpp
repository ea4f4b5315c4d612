#include "app/screens/preferences/PreferencesView.h"

#include "app/design/ChoiceGroup.h"
#include "app/design/DesignFont.h"
#include "app/design/KeyCap.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/PercentSlider.h"
#include "app/design/Picker.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownText.h"
#include "app/design/SpokenName.h"
#include "app/design/Switch.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/kit/AlertBox.h"
#include "app/kit/PageText.h"
#include "app/preview/SoundOutput.h"
#include "app/screens/preferences/AppearanceTile.h"
#include "app/screens/preferences/PreferenceRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"
#include "model/sound/SoundCue.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int pageSpacing = 24;
constexpr int pagePadding = 36;
constexpr int controlPixelSize = 13;
constexpr int percentWidth = 45;

Panel* panelWithSpacing(int spacing)
{
    auto* panel = new Panel;
    panel->contentLayout()->setSpacing(spacing);
    // A panel held to its size hint would clip captions that wrap: the hint counts one line.
    panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return panel;
}

QWidget* sectionTitle(std::string_view key)
{
    return lineText(localized(key),
                    TextStyle{.pixelSize = 15, .weight = QFont::DemiBold, .color = std::nullopt});
}

QWidget* caption(std::string_view key)
{
    return wrappedText(localized(key), TextStyle{.pixelSize = 11, .color = Theme::muted});
}

Switch* toggle(std::string_view key, const char* name)
{
    auto* control = new Switch(localized(key));
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// A labelled choice: the label at the leading edge, the list at the trailing one, as a switch.
QWidget* pickerRow(std::string_view key, QComboBox* picker)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        lineText(localized(key), TextStyle{.pixelSize = controlPixelSize, .color = std::nullopt}));
    layout->addStretch(1);
    layout->addWidget(picker);
    picker->setFont(DesignFont::system(controlPixelSize));
    picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return row;
}

void setCheckedQuietly(Switch& control, bool checked)
{
    const QSignalBlocker quiet(control);
    control.setChecked(checked);
}

void setIndexQuietly(QComboBox& picker, int index)
{
    const QSignalBlocker quiet(picker);
    picker.setCurrentIndex(index);
}

} // namespace

PreferencesView::PreferencesView(AppModel& model, QWidget* parent)
    : ModelPage(model, Page::settings, pageSpacing, pagePadding, parent)
{
    addBlock(new PageHeading(
        localized("À votre rythme"), localized("Les détails qui comptent."),
        localized("Une expérience discrète, rapide et toujours sous votre contrôle.")));
    addBlock(languagePanel());
    addBlock(appearancePanel());
    addBlock(interactionsPanel());
    addBlock(scanPanel());
    addBlock(shortcutsPanel());
    addBlock(reviewMemoryPanel());

    auto* footer =
        wrappedText(localized("Tollenvane 3.0 · Application de bureau native · Aucun compte, "
                              "aucune télémétrie, aucun appel réseau.\nLa Corbeille n’est "
                              "jamais vidée par l’application."),
                    TextStyle{.pixelSize = 11, .color = Theme::muted});
    footer->setObjectName(QStringLiteral("footer"));
    footer->setLineSpacing(6);
    addBlock(footer);

    follow({&AppModel::stateChanged, &AppModel::busyChanged, &AppModel::sessionActiveChanged});
}

QWidget* PreferencesView::languagePanel()
{
    auto* panel = panelWithSpacing(18);
    language_ = newPicker(localized("Langue"));
    language_->setObjectName(QStringLiteral("languagePicker"));
    for (const AppLanguage language : allAppLanguages) {
        language_->addItem(QString::fromStdString(label(language)));
    }
    connect(language_, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(allAppLanguages.size())) {
            return;
        }
        // The model puts the language in force before it tells anyone of the change.
        change([language = allAppLanguages.at(static_cast<std::size_t>(index))](
                   Preferences& preferences) { preferences.language = language; });
    });
    panel->contentLayout()->addWidget(pickerRow("Langue", language_));

    auto* tour = new QWidget;
    auto* tourRow = new QHBoxLayout(tour);
    tourRow->setContentsMargins(0, 0, 0, 0);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(5);
    texts->addWidget(sectionTitle("Un petit tour ?"));
    texts->addWidget(caption("Testez les gestes et personnalisez votre expérience."));
    tourRow->addLayout(texts, 1);
    replayTutorial_ =
        new SecondaryButton(localized("Revoir le tutoriel"), QStringLiteral("play.rectangle"),
                            [this] { model().setShowTutorial(true); });
    replayTutorial_->setObjectName(QStringLiteral("replayTutorial"));
    tourRow->addWidget(replayTutorial_, 0, Qt::AlignVCenter);
    panel->contentLayout()->addWidget(tour);
    return panel;
}

QWidget* PreferencesView::appearancePanel()
{
    auto* panel = panelWithSpacing(16);
    panel->contentLayout()->addWidget(sectionTitle("Apparence"));
    auto* tiles = new ChoiceGroup;
    setSpokenName(*tiles, localized("Apparence"));
    auto* row = new QHBoxLayout(tiles);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    for (std::size_t i = 0; i < allAppAppearances.size(); ++i) {
        const AppAppearance appearance = allAppAppearances.at(i);
        auto* tile = new AppearanceTile(appearance);
        connect(tile, &QAbstractButton::clicked, this, [this, appearance] {
            change([appearance](Preferences& preferences) { preferences.appearance = appearance; });
        });
        row->addWidget(tile, 1);
        tiles_.at(i) = tile;
    }
    panel->contentLayout()->addWidget(tiles);
    panel->contentLayout()->addWidget(
        caption("Automatique suit le mode clair ou sombre du système."));
    return panel;
}

QWidget* PreferencesView::volumeRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    layout->addWidget(new SymbolView(QStringLiteral("speaker.wave.2"),
                                     Symbol::sideBeside(controlPixelSize), Theme::muted));

    volume_ = new PercentSlider;
    volume_->setObjectName(QStringLiteral("volumeSlider"));
    volume_->setRange(0, PreferenceRules::volumeSteps);
    volume_->setSingleStep(PreferenceRules::volumeSteps / 100);
    volume_->setPageStep(PreferenceRules::volumeSteps / 10);
    volume_->setAccessibleName(localized("Volume des sons"));
    // Only the user moves it: the refresh sets it with its signals blocked.
    connect(volume_, &QSlider::valueChanged, this, [this](int position) {
        change([volume = PreferenceRules::volumeAt(position)](Preferences& preferences) {
            preferences.soundVolume = volume;
        });
    });
    // While held the slider shows the hand's value; once let go it shows the model's again.
    connect(volume_, &QSlider::sliderReleased, this, [this] { refresh(); });
    layout->addWidget(volume_, 1);

    percent_ = new QLabel;
    percent_->setObjectName(QStringLiteral("volumePercent"));
    percent_->setTextFormat(Qt::PlainText);
    percent_->setAlignment(Qt::AlignCenter);
    percent_->setFixedWidth(percentWidth);
    percent_->setFont(DesignFont::system(controlPixelSize));
    layout->addWidget(percent_);

    auto* preview =
        new SecondaryButton(localized("Écouter un aperçu"), QStringLiteral("play.fill"), [this] {
            model().soundDesign().play(SoundCue::keep, model().state().preferences, true);
            // A preview with nowhere to be heard says so rather than doing nothing to see.
            silent_->setVisible(!soundOutputExists());
        });
    preview->setObjectName(QStringLiteral("soundPreview"));
    layout->addWidget(preview);
    return row;
}

QWidget* PreferencesView::interactionsPanel()
{
    auto* panel = panelWithSpacing(22);
    QVBoxLayout& column = *panel->contentLayout();
    column.addWidget(sectionTitle("Interactions"));

    sounds_ = toggle("Sons discrets", "soundsSwitch");
    connect(sounds_, &QAbstractButton::clicked, this, [this](bool on) {
        change([on](Preferences& preferences) { preferences.sounds = on; });
    });
    column.addWidget(sounds_);
    column.addWidget(volumeRow());
    silent_ = noSoundOutputNotice();
    silent_->setFont(DesignFont::system(11));
    silent_->setColor(Theme::muted);
    silent_->hide();
    column.addWidget(silent_);
    column.addWidget(caption("Un son doux pour chaque geste. Les sons ne se superposent pas."));

    animations_ = toggle("Animations de cartes", "animationsSwitch");
    connect(animations_, &QAbstractButton::clicked, this, [this](bool on) {
        change([on](Preferences& preferences) { preferences.animations = on; });
    });
    column.addWidget(animations_);

    confirmTrash_ = toggle("Confirmer chaque mise à la Corbeille", "confirmTrashSwitch");
    connect(confirmTrash_, &QAbstractButton::clicked, this, [this](bool on) {
        change([on](Preferences& preferences) { preferences.confirmTrash = on; });
    });
    column.addWidget(confirmTrash_);
    column.addWidget(caption("Une décision peut être annulée pendant la session, tant que le "
                             "fichier existe encore et que son emplacement d’origine est libre."));
    return panel;
}

QWidget* PreferencesView::scanPanel()
{
    auto* panel = panelWithSpacing(22);
    QVBoxLayout& column = *panel->contentLayout();
    column.addWidget(sectionTitle("Analyse"));

    showHidden_ = toggle("Inclure les fichiers cachés", "showHiddenSwitch");
    connect(showHidden_, &QAbstractButton::clicked, this, [this](bool on) {
        change([on](Preferences& preferences) { preferences.showHidden = on; });
    });
    column.addWidget(showHidden_);
    column.addWidget(caption("Les dossiers système, bibliothèques, dépôts Git, clés SSH et "
                             "Corbeilles restent exclus."));

    minimumSize_ = newPicker(localized("Taille minimale"));
    minimumSize_->setObjectName(QStringLiteral("minimumSizePicker"));
    for (const auto& option : PreferenceRules::minimumSizes) {
        minimumSize_->addItem(localized(option.key));
    }
    connect(minimumSize_, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(PreferenceRules::minimumSizes.size())) {
            return;
        }
        const std::int64_t bytes =
            PreferenceRules::minimumSizes.at(static_cast<std::size_t>(index)).bytes;
        change([bytes](Preferences& preferences) { preferences.minimumSize = bytes; });
    });
    column.addWidget(pickerRow("Taille minimale", minimumSize_));

    rescan_ = new SecondaryButton(localized("Appliquer et relancer l’analyse"),
                                  QStringLiteral("arrow.clockwise"), [this] {
                                      model().save();
                                      model().scan();
                                  });
    rescan_->setObjectName(QStringLiteral("rescan"));
    column.addWidget(rescan_, 0, Qt::AlignLeft);
    return panel;
}

QWidget* PreferencesView::shortcutsPanel()
{
    auto* panel = panelWithSpacing(16);
    panel->contentLayout()->addWidget(sectionTitle("Raccourcis"));
    for (const auto& shortcut : PreferenceRules::shortcuts) {
        auto* row = new QHBoxLayout;
        row->addWidget(
            lineText(localized(shortcut.label), TextStyle{.pixelSize = 12, .color = Theme::muted}),
            0, Qt::AlignVCenter);
        row->addStretch(1);
        row->addWidget(new KeyCap(PreferenceRules::keyText(shortcut)), 0, Qt::AlignVCenter);
        panel->contentLayout()->addLayout(row);
    }
    return panel;
}

QWidget* PreferencesView::reviewMemoryPanel()
{
    auto* panel = panelWithSpacing(12);
    QVBoxLayout& column = *panel->contentLayout();
    column.addWidget(sectionTitle("Mémoire du tri"));
    column.addWidget(
        caption("Vos décisions sont conservées. Les fichiers modifiés sont vérifiés à nouveau."));
    column.addWidget(caption("La reprise conserve localement les chemins et empreintes de "
                             "fichiers, sans copie de leur contenu."));
    forget_ =
        new SecondaryButton(localized("Oublier les décisions précédentes"),
                            QStringLiteral("arrow.counterclockwise"), [this] { askToForget(); });
    forget_->setObjectName(QStringLiteral("forgetDecisions"));
    column.addWidget(forget_, 0, Qt::AlignLeft);
    return panel;
}

void PreferencesView::change(const std::function<void(Preferences&)>& edit)
{
    Preferences preferences = model().state().preferences;
    edit(preferences);
    // Choosing what is already chosen changes nothing, and writes nothing.
    if (preferences == model().state().preferences) {
        return;
    }
    model().setPreferences(preferences);
    model().save();
}

void PreferencesView::askToForget()
{
    if (forgetAlert_) {
        return;
    }
    QMessageBox* box = newAlertBox(
        *this, localized("Oublier les décisions précédentes ?"),
        ShownText(localized(
            "Les fichiers seront proposés de nouveau. Aucun fichier n’est déplacé ni supprimé.")));
    box->setObjectName(QStringLiteral("forgetAlert"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* cancel = box->addButton(localized("Annuler l’action"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelForget"));
    QPushButton* confirm = box->addButton(localized("Oublier"), QMessageBox::AcceptRole);
    confirm->setObjectName(QStringLiteral("confirmForget"));
    for (QPushButton* button : {cancel, confirm}) {
        button->setAutoDefault(false);
    }
    box->setEscapeButton(cancel);
    connect(box, &QMessageBox::buttonClicked, this, [this, confirm](QAbstractButton* clicked) {
        if (clicked == confirm) {
            model().resetReviewed();
        }
    });
    forgetAlert_ = box;
    box->open();
}

void PreferencesView::refresh()
{
    const Preferences& preferences = model().state().preferences;
    const auto languageAt =
        std::find(allAppLanguages.begin(), allAppLanguages.end(), preferences.language);
    setIndexQuietly(*language_, languageAt == allAppLanguages.end()
                                    ? -1
                                    : static_cast<int>(languageAt - allAppLanguages.begin()));
    for (AppearanceTile* tile : tiles_) {
        const QSignalBlocker quiet(tile);
        tile->setSelected(tile->appearance() == preferences.appearance);
    }

    setCheckedQuietly(*sounds_, preferences.sounds);
    if (!volume_->isSliderDown()) {
        const QSignalBlocker quiet(volume_);
        volume_->setValue(PreferenceRules::sliderPosition(preferences.soundVolume));
    }
    percent_->setText(PreferenceRules::percentText(preferences.soundVolume));
    setCheckedQuietly(*animations_, preferences.animations);
    setCheckedQuietly(*confirmTrash_, preferences.confirmTrash);
    setCheckedQuietly(*showHidden_, preferences.showHidden);
    setIndexQuietly(*minimumSize_, PreferenceRules::minimumSizeIndex(preferences.minimumSize));

    const auto available = PreferenceRules::availability(model().busy(), model().sessionActive());
    replayTutorial_->setEnabled(available.replayTutorial);
    showHidden_->setEnabled(available.scanSettings);
    minimumSize_->setEnabled(available.scanSettings);
    rescan_->setEnabled(available.rescan);
    forget_->setEnabled(available.forgetDecisions);
}

} // namespace tollenvane
