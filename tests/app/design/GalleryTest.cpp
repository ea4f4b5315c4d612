#include "SchemeScope.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/BrandMark.h"
#include "app/design/ElidedLabel.h"
#include "app/design/EmptyState.h"
#include "app/design/KeyCap.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/SegmentedControl.h"
#include "app/design/Spinner.h"
#include "app/design/Switch.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

QHBoxLayout* row(QVBoxLayout* into)
{
    auto* line = new QHBoxLayout;
    line->setSpacing(12);
    into->addLayout(line);
    return line;
}

std::unique_ptr<QWidget> gallery()
{
    auto window = std::make_unique<QWidget>();
    window->setAutoFillBackground(true);
    window->setFixedWidth(880);
    auto* column = new QVBoxLayout(window.get());
    column->setContentsMargins(32, 32, 32, 32);
    column->setSpacing(20);

    auto* brand = row(column);
    brand->addWidget(new BrandMark(40));
    brand->addWidget(new BrandMark(64));
    brand->addStretch();
    column->addWidget(new PageHeading(
        "Réglages généraux", "Libérez de l’espace",
        "Décidez fichier par fichier ce qui reste.\nChaque décision peut être annulée."));

    auto* buttons = row(column);
    buttons->addWidget(new PrimaryButton("Commencer le tri", "arrow.right"));
    auto* pressed = new PrimaryButton("Appuyé", "arrow.right");
    pressed->setDown(true);
    buttons->addWidget(pressed);
    auto* disabled = new PrimaryButton("Indisponible", "arrow.right");
    disabled->setEnabled(false);
    buttons->addWidget(disabled);
    buttons->addWidget(new SecondaryButton("Annuler", "arrow.uturn.backward"));
    auto* disabledSecondary = new SecondaryButton("Corbeille", "trash");
    disabledSecondary->setEnabled(false);
    buttons->addWidget(disabledSecondary);
    buttons->addStretch();

    auto* keys = row(column);
    for (const char* key : {"←", "→", "↑", "↓", "Espace", "Z"}) {
        keys->addWidget(new KeyCap(QString::fromUtf8(key)));
    }
    keys->addSpacing(24);
    keys->addWidget(new Spinner(Spinner::Size::regular, Theme::orange));
    keys->addWidget(new Spinner(Spinner::Size::small));
    keys->addWidget(new Spinner(Spinner::Size::mini));
    keys->addSpacing(24);
    auto* segments = new SegmentedControl({"Sombre", "Clair", "Automatique"});
    segments->setCurrentIndex(1);
    keys->addWidget(segments);
    keys->addStretch();

    auto* panel = new Panel;
    panel->contentLayout()->setSpacing(14);
    auto* sounds = new Switch("Sons discrets");
    auto* animations = new Switch("Animations de cartes");
    animations->setChecked(true);
    auto* locked = new Switch("Confirmer chaque mise à la Corbeille");
    locked->setEnabled(false);
    panel->contentLayout()->addWidget(sounds);
    panel->contentLayout()->addWidget(animations);
    panel->contentLayout()->addWidget(locked);
    auto* name = new ElidedLabel(
        QString::fromUtf8(
            "تقرير المشروع 项目报告 👨‍👩‍👧‍👦 Vacances "
            "été 2023 — photo finale.jpeg"),
        ElisionSide::middle);
    name->setFont(name->font());
    name->setMaximumWidth(300);
    auto* folder = new ElidedLabel("/home/camille/Documents/Archives/2019/Factures/Fournisseurs",
                                   ElisionSide::middle);
    folder->setColor(Theme::muted);
    folder->setMaximumWidth(300);
    panel->contentLayout()->addWidget(name);
    panel->contentLayout()->addWidget(folder);
    column->addWidget(panel);

    column->addWidget(new EmptyState(
        "tray.full", "Aucun fichier à trier",
        "Ajoutez un dossier source pour commencer. Les fichiers déjà triés ne reviennent pas, "
        "sauf si vous les incluez dans une nouvelle session."));
    return window;
}

TEST(Gallery, EveryComponentInBothAppearances)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();

    for (const auto& [appearance, file] : {std::pair{AppAppearance::dark, "gallery-dark.png"},
                                           std::pair{AppAppearance::light, "gallery-light.png"}}) {
        applier.apply(appearance);
        const std::unique_ptr<QWidget> window = gallery();
        window->adjustSize();
        const QImage picture = window->grab().toImage();
        EXPECT_TRUE(picture.save(folder + "/" + file));
        // The page background is the bg token of the appearance.
        EXPECT_EQ(picture.pixelColor(4, 4), Theme::color(Theme::bg));
    }
}

} // namespace
} // namespace tollenvane
