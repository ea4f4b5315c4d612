#include "app/screens/duplicates/DuplicateGroupPanel.h"

#include "app/design/ChoiceGroup.h"
#include "app/design/SpokenName.h"
#include "app/kit/PageText.h"
#include "app/kit/VirtualList.h"
#include "app/screens/duplicates/DuplicateFileRow.h"
#include "app/screens/duplicates/DuplicatesRules.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

constexpr int spacing = 18;

} // namespace

DuplicateGroupPanel::DuplicateGroupPanel(Actions actions, QWidget* parent)
    : Panel(parent)
    , actions_(std::move(actions))
    , heard_(new ChoiceGroup(this))
    , header_(new QWidget(heard_))
    , rowHeight_(DuplicateFileRow({}).sizeHint().height())
{
    setObjectName(QStringLiteral("groupPanel"));
    // The group is heard by its header as the keyboard enters it, before the copy it reaches.
    auto* groupLayout = new QVBoxLayout(heard_);
    groupLayout->setContentsMargins(0, 0, 0, 0);
    groupLayout->setSpacing(spacing);
    contentLayout()->addWidget(heard_);

    auto* headerLayout = new QHBoxLayout(header_);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    copies_ = lineText({}, {.pixelSize = 15, .weight = QFont::DemiBold, .color = {}},
                       ElisionSide::end, header_);
    copies_->setObjectName(QStringLiteral("copiesText"));
    reclaimable_ =
        lineText({}, {.pixelSize = 12, .color = Theme::orange}, ElisionSide::end, header_);
    reclaimable_->setObjectName(QStringLiteral("reclaimableText"));
    headerLayout->addWidget(copies_);
    headerLayout->addStretch(1);
    headerLayout->addWidget(reclaimable_);
    groupLayout->addWidget(header_);

    rows_ = new VirtualList(
        {.make =
             [this] {
                 return new DuplicateFileRow(
                     {.preview = [this](const std::string& path) { actions_.preview(path); },
                      .keep =
                          [this](const std::string& path) {
                              actions_.keep(group_->digest, path);
                          }});
             },
         .present =
             [this](QWidget& row, std::size_t index) {
                 static_cast<DuplicateFileRow&>(row).setFile(group_->files[index], keepEnabled_);
             },
         .key = [this](std::size_t index) { return std::string(group_->files[index].path()); },
         .name = [this](std::size_t index) { return copyName(group_->files[index]); }},
        heard_);
    rows_->setObjectName(QStringLiteral("copyList"));
    rows_->setSpacing(spacing);
    rows_->setRowHeight(rowHeight_);
    groupLayout->addWidget(rows_);
}

void DuplicateGroupPanel::setGroup(const DuplicateGroup& group, bool keepEnabled)
{
    group_ = &group;
    keepEnabled_ = keepEnabled;
    const QString copies = copiesText(group);
    if (copies_->text() != copies) {
        copies_->setText(copies);
    }
    const QString reclaimable = reclaimableText(group);
    if (reclaimable_->text() != reclaimable) {
        reclaimable_->setText(reclaimable);
    }
    setSpokenName(*heard_, spokenGroupHeader(group));
    rows_->reset(group.files.size());
}

int DuplicateGroupPanel::heightFor(std::size_t files) const
{
    const QMargins margins = contentLayout()->contentsMargins();
    return margins.top() + margins.bottom() + header_->sizeHint().height() +
           static_cast<int>(files) * (spacing + rowHeight_);
}

} // namespace tollenvane
