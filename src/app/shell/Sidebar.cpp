#include "app/shell/Sidebar.h"

#include "app/design/BrandMark.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/Theme.h"
#include "app/shell/DiskCard.h"
#include "app/shell/NavRow.h"
#include "app/shell/SessionEntry.h"
#include "app/shell/SidebarRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

// Wraps `child` in the outer padding the column gives it.
QWidget* padded(QWidget* child, QMargins margins)
{
    auto* frame = new QWidget;
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(margins);
    layout->setSpacing(0);
    layout->addWidget(child);
    return frame;
}

} // namespace

Sidebar::Sidebar(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("sidebar"));

    auto* column = new QVBoxLayout(this);
    // The separator on the trailing edge is painted; the content stays clear of it.
    column->setContentsMargins(0, 0, 1, 0);
    column->setSpacing(0);
    column->addWidget(brand());
    column->addWidget(sectionLabel());
    for (const Page page : navigationPages) {
        column->addWidget(padded(navigationRow(page), {14, 0, 14, 4}));
    }

    runningSession_ = new SessionEntry("rectangle.stack.fill", localized("Reprendre le tri"),
                                       {DesignFont::system(12, QFont::Medium), 13, true, true});
    runningSession_->setObjectName(QStringLiteral("runningSession"));
    connect(runningSession_, &QAbstractButton::clicked, this,
            [this] { model_.setPage(Page::swipe); });
    runningSessionFrame_ = padded(runningSession_, {14, 18, 14, 0});
    column->addWidget(runningSessionFrame_);

    savedSession_ = new SessionEntry("arrow.clockwise.circle", localized("Session enregistrée"),
                                     {DesignFont::system(12), 18, false});
    savedSession_->setObjectName(QStringLiteral("savedSession"));
    connect(savedSession_, &QAbstractButton::clicked, this, [this] { model_.resumeSession(); });
    column->addWidget(savedSession_);

    column->addStretch(1);
    diskCard_ = new DiskCard;
    column->addWidget(diskCard_);
    column->addWidget(padded(navigationRow(Page::settings), {14, 0, 14, 18}));

    refresh_.follow(model, {&AppModel::pageChanged, &AppModel::animatingSwipeChanged,
                            &AppModel::sessionActiveChanged, &AppModel::busyChanged,
                            &AppModel::queueCountChanged, &AppModel::stateChanged,
                            &AppModel::statusesChanged, &AppModel::volumesChanged,
                            &AppModel::selectedVolumeIDChanged, &AppModel::diskTotalChanged,
                            &AppModel::diskFreeChanged});
    refresh();
}

QWidget* Sidebar::brand()
{
    auto* block = new QWidget;
    auto* row = new QHBoxLayout(block);
    row->setContentsMargins(24, 44, 24, 34);
    row->setSpacing(10);
    row->addWidget(new BrandMark(38));
    // The product's name is the same in every language.
    auto* name = new ElidedLabel(QStringLiteral("Tollenvane"));
    name->setFont(DesignFont::tracked(DesignFont::system(18, QFont::DemiBold), -0.5));
    row->addWidget(name, 1);
    return block;
}

QWidget* Sidebar::sectionLabel()
{
    auto* label = new ElidedLabel(localized("VOTRE ESPACE"));
    label->setFont(DesignFont::tracked(DesignFont::monospaced(9, QFont::DemiBold), 1.8));
    label->setColor(Theme::muted);
    return padded(label, {26, 0, 26, 12});
}

NavRow* Sidebar::navigationRow(Page page)
{
    auto* row = new NavRow(page);
    connect(row, &QAbstractButton::clicked, this, [this, page] { model_.navigate(page); });
    rows_.push_back(row);
    return row;
}

void Sidebar::refresh()
{
    const SidebarFacts facts = SidebarFacts::of(model_);
    for (NavRow* row : rows_) {
        row->setSelected(rowSelected(row->page(), facts.page));
        row->setEnabled(navigationEnabled(facts));
    }
    const ResumeEntry entry = resumeEntry(facts);
    runningSessionFrame_->setVisible(entry == ResumeEntry::running);
    runningSession_->setCount(facts.remaining);
    savedSession_->setVisible(entry == ResumeEntry::saved);
    savedSession_->setEnabled(savedSessionEnabled(facts));
    diskCard_->setContent(diskCard(facts));
    setFixedWidth(wholeWidth());
}

int Sidebar::wholeWidth() const
{
    // The column's usual width, wider only as far as a label of this language needs to be read
    // whole; the entries that come and go count too, so that the column keeps its width.
    const QLayout& column = *layout();
    int widest = columnWidth;
    for (int i = 0; i < column.count(); ++i) {
        if (const QWidget* part = column.itemAt(i)->widget()) {
            widest = std::max(widest, part->sizeHint().width() + column.contentsMargins().left() +
                                          column.contentsMargins().right());
        }
    }
    return widest;
}

void Sidebar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Theme::color(Theme::sidebar));
    painter.fillRect(QRect(width() - 1, 0, 1, height()), Theme::color(Theme::line));
}

} // namespace tollenvane
