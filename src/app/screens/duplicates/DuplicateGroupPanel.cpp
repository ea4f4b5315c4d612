#include "app/screens/duplicates/DuplicateGroupPanel.h"

#include "app/kit/PageText.h"
#include "app/screens/duplicates/DuplicatesRules.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

DuplicateGroupPanel::DuplicateGroupPanel(const DuplicateGroup& group, bool keepEnabled,
                                         Actions actions, QWidget* parent)
    : Panel(parent)
    , digest_(group.digest)
    , actions_(std::move(actions))
    , rows_(*contentLayout(), 1)
{
    setObjectName(QStringLiteral("groupPanel"));
    // Never squeezed: a list of thousands would resize every panel each time one is added.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    contentLayout()->setSpacing(18);

    auto* header = new QWidget(this);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    copies_ = lineText({}, {.pixelSize = 15, .weight = QFont::DemiBold, .color = {}},
                       ElisionSide::end, header);
    copies_->setObjectName(QStringLiteral("copiesText"));
    reclaimable_ =
        lineText({}, {.pixelSize = 12, .color = Theme::orange}, ElisionSide::end, header);
    reclaimable_->setObjectName(QStringLiteral("reclaimableText"));
    headerLayout->addWidget(copies_);
    headerLayout->addStretch(1);
    headerLayout->addWidget(reclaimable_);
    contentLayout()->addWidget(header);
    setGroup(group, keepEnabled);
}

void DuplicateGroupPanel::setGroup(const DuplicateGroup& group, bool keepEnabled)
{
    const QString copies = copiesText(group);
    if (copies_->text() != copies) {
        copies_->setText(copies);
    }
    const QString reclaimable = reclaimableText(group);
    if (reclaimable_->text() != reclaimable) {
        reclaimable_->setText(reclaimable);
    }
    rows_.sync(
        group.files, [](const FileRecord& file) { return std::string(file.path()); },
        [this, keepEnabled](const FileRecord& file) {
            return new DuplicateFileRow(
                file, keepEnabled,
                {.preview = [this](const std::string& path) { actions_.preview(path); },
                 .keep = [this](const std::string& path) { actions_.keep(digest_, path); }},
                this);
        },
        [keepEnabled](DuplicateFileRow& row, const FileRecord& file) {
            row.setFile(file, keepEnabled);
        });
}

} // namespace tollenvane
