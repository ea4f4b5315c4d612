#include "app/tutorial/SourcesStep.h"

#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/ResultNotice.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/SuggestedFolders.h"
#include "app/kit/PageText.h"
#include "app/tutorial/SourceStepRow.h"
#include "app/tutorial/StepScroll.h"
#include "app/tutorial/TutorialRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <pwd.h>
#include <unistd.h>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int spacing = 22;
constexpr int rowSpacing = 8;

std::string userName()
{
    const QString fromEnvironment = qEnvironmentVariable("USER");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment.toStdString();
    }
    const passwd* entry = getpwuid(geteuid());
    return entry != nullptr && entry->pw_name != nullptr ? std::string(entry->pw_name)
                                                         : std::string();
}

std::optional<std::string> externalDrives()
{
    return externalDrivesFolder(userName(), [](const std::string& path) {
        return QFileInfo(QString::fromStdString(path)).isDir();
    });
}

} // namespace

SourcesStep::SourcesStep(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , choosers_(new QWidget)
    , rowsLayout_(new QVBoxLayout)
    , rows_(*rowsLayout_)
    , notice_(new ResultNotice(*this, QStringLiteral("addedNotice")))
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("step-sources"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    column->addWidget(new PageHeading(
        localized("À vous de choisir"), localized(stepHeadingKey(TutorialStep::sources)),
        localized(
            "Autorisez un ou plusieurs dossiers de l’ordinateur ou de vos disques externes.")));
    // The heading stays; the folders under it scroll as they grow.
    auto* scroll = new StepScroll;
    column->addWidget(scroll, 1);
    QVBoxLayout& body = scroll->body();
    body.setSpacing(spacing);

    // The suggestions and both buttons go together: a running session turns them all off.
    auto* choosers = new QVBoxLayout(choosers_);
    choosers->setContentsMargins(0, 0, 0, 0);
    choosers->setSpacing(spacing);
    choosers->addWidget(new SuggestedFolders(sourceChooser(model)));
    auto* buttons = new QHBoxLayout;
    auto* another = new SecondaryButton(localized("Ajouter un autre dossier"),
                                        QStringLiteral("folder.badge.plus"),
                                        [&model] { model.chooseFolders(false); });
    another->setObjectName(QStringLiteral("addFolder"));
    auto* external =
        new SecondaryButton(localized("Choisir un disque externe"), QStringLiteral("externaldrive"),
                            [&model] { model.chooseFolders(false, {}, {}, externalDrives()); });
    external->setObjectName(QStringLiteral("chooseExternalDisk"));
    buttons->addWidget(another);
    buttons->addWidget(external);
    buttons->addStretch(1);
    choosers->addLayout(buttons);
    body.addWidget(choosers_);

    rowsLayout_->setContentsMargins(0, 0, 0, 0);
    rowsLayout_->setSpacing(rowSpacing);
    body.addLayout(rowsLayout_);
    body.addWidget(
        wrappedText(localized("Vous pourrez ajouter des dossiers plus tard. Les fichiers "
                              "système et les Corbeilles sont exclus de l’analyse."),
                    TextStyle{11, QFont::Normal, Theme::muted}));
    body.addStretch(1);

    refresh_.follow(model, {&AppModel::stateChanged, &AppModel::sessionActiveChanged});
    refresh();
}

void SourcesStep::refresh()
{
    choosers_->setEnabled(!model_.sessionActive());
    rows_.sync(
        model_.state().sources, [](const FolderGrant& grant) { return grant.id; },
        [](const FolderGrant&) { return new SourceStepRow; },
        [](SourceStepRow& row, const FolderGrant& grant) { row.setName(shownName(grant.name)); });
    if (const auto added = added_.since(model_.state().sources); !added.empty()) {
        notice_->tell(foldersAddedNotice(added));
    }
}

} // namespace tollenvane
