#include "app/screens/duplicates/DuplicateGroupPanel.h"

#include "app/kit/PageText.h"
#include "app/screens/duplicates/DuplicatesRules.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

DuplicateGroupPanel::DuplicateGroupPanel(Actions actions, QWidget* parent)
    : Panel(parent)
    , actions_(std::move(actions))
    , header_(new QWidget(this))
{
    setObjectName(QStringLiteral("groupPanel"));
    contentLayout()->setSpacing(18);

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
    contentLayout()->addWidget(header_);
    // The row that measures the others' height.
    addRow();
}

void DuplicateGroupPanel::addRow()
{
    rows_.push_back(new DuplicateFileRow(
        {.preview = [this](const std::string& path) { actions_.preview(path); },
         .keep = [this](const std::string& path) { actions_.keep(digest_, path); }},
        this));
    contentLayout()->addWidget(rows_.back());
}

void DuplicateGroupPanel::setGroup(const DuplicateGroup& group, bool keepEnabled)
{
    digest_ = group.digest;
    const QString copies = copiesText(group);
    if (copies_->text() != copies) {
        copies_->setText(copies);
    }
    const QString reclaimable = reclaimableText(group);
    if (reclaimable_->text() != reclaimable) {
        reclaimable_->setText(reclaimable);
    }
    while (rows_.size() > std::max<std::size_t>(group.files.size(), 1)) {
        delete rows_.back();
        rows_.pop_back();
    }
    while (rows_.size() < group.files.size()) {
        addRow();
    }
    for (std::size_t index = 0; index < group.files.size(); ++index) {
        rows_[index]->setFile(group.files[index], keepEnabled);
    }
}

int DuplicateGroupPanel::heightFor(std::size_t files) const
{
    const QMargins margins = contentLayout()->contentsMargins();
    const int row = contentLayout()->spacing() + rows_.front()->sizeHint().height();
    return margins.top() + margins.bottom() + header_->sizeHint().height() +
           static_cast<int>(files) * row;
}

QList<QAbstractButton*> DuplicateGroupPanel::controls() const
{
    QList<QAbstractButton*> controls;
    for (const DuplicateFileRow* row : rows_) {
        for (QAbstractButton* control : row->controls()) {
            controls.append(control);
        }
    }
    return controls;
}

} // namespace tollenvane
