#include "app/screens/volumes/VolumeRow.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/FocusRing.h"
#include "app/design/LocalizedText.h"
#include "app/design/SecondaryButton.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/Theme.h"
#include "app/kit/PageText.h"
#include "app/screens/volumes/VolumeRules.h"
#include "app/screens/volumes/VolumeUsageBar.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

constexpr int padding = 15;
constexpr int spacing = 16;
constexpr qreal cornerRadius = 12;
constexpr int iconPixelSize = 28;

// The picking part of the row; its content is child widgets that let clicks through.
class SelectButton final : public QAbstractButton {
public:
    explicit SelectButton(QWidget* parent)
        : QAbstractButton(parent)
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
    // The row draws the ring around the whole of itself.
    void focusInEvent(QFocusEvent* event) override
    {
        QAbstractButton::focusInEvent(event);
        parentWidget()->update();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QAbstractButton::focusOutEvent(event);
        parentWidget()->update();
    }
};

} // namespace

VolumeRow::VolumeRow(Actions actions, QWidget* parent)
    : QWidget(parent)
    , actions_(std::move(actions))
    , select_(new SelectButton(this))
{
    select_->setObjectName("selectVolume");
    const int iconSide = Symbol::sideBeside(iconPixelSize);
    internal_ = new SymbolView(QStringLiteral("internaldrive"), iconSide, Theme::orange, select_);
    external_ = new SymbolView(QStringLiteral("externaldrive"), iconSide, Theme::orange, select_);
    title_ = lineText({}, {14, QFont::DemiBold, std::nullopt}, ElisionSide::middle, select_);
    title_->setObjectName("volumeTitle");
    readOnly_ = lineText(localized("Lecture seule"), {10, QFont::Normal, Theme::muted},
                         ElisionSide::end, select_);
    readOnly_->setObjectName("readOnlyMark");
    capacity_ = lineText({}, {11, QFont::Normal, Theme::muted}, ElisionSide::end, select_);
    capacity_->setObjectName("capacity");
    bar_ = new VolumeUsageBar(select_);
    bar_->setObjectName("usageBar");
    mark_ = new SymbolView(QStringLiteral("checkmark.circle.fill"), Symbol::sideBeside(15),
                           Theme::orange, select_);
    mark_->setObjectName("selectedMark");

    auto* titleLine = new QHBoxLayout;
    titleLine->addWidget(title_);
    titleLine->addWidget(readOnly_);
    titleLine->addStretch();
    auto* texts = new QVBoxLayout;
    texts->setSpacing(7);
    texts->addLayout(titleLine);
    texts->addWidget(capacity_);
    texts->addWidget(bar_);
    auto* label = new QHBoxLayout(select_);
    label->setContentsMargins(0, 0, 0, 0);
    label->setSpacing(spacing);
    label->addWidget(internal_);
    label->addWidget(external_);
    label->addLayout(texts, 1);
    label->addWidget(mark_);

    choose_ = new SecondaryButton(localized("Choisir les dossiers"),
                                  QStringLiteral("folder.badge.plus"), {}, this);
    choose_->setObjectName("chooseFolders");

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(padding, padding, padding, padding);
    row->setSpacing(spacing);
    row->addWidget(select_, 1);
    row->addWidget(choose_);
    connect(select_, &QAbstractButton::clicked, this, [this] { actions_.select(volume_); });
    connect(choose_, &QAbstractButton::clicked, this, [this] { actions_.chooseFolders(volume_); });
}

void VolumeRow::setVolume(const StorageVolume& volume, bool selected, bool canChoose)
{
    internal_->setVisible(!volume.external);
    external_->setVisible(volume.external);
    volume_ = volume;
    selected_ = selected;
    title_->setText(VolumeRules::title(volume));
    setSpokenName(*select_, title_->text());
    readOnly_->setVisible(volume.readOnly);
    capacity_->setText(QString::fromStdString(Localization::text(
        "{0} disponibles sur {1}", {formattedBytes(volume.free), formattedBytes(volume.total)})));
    bar_->setUsage(volume.total, volume.free);
    mark_->setVisible(selected);
    choose_->setEnabled(canChoose);
    update();
}

void VolumeRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape =
        continuousRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
    const QColor orange = Theme::color(Theme::orange);
    painter.fillPath(shape,
                     selected_ ? Theme::withAlpha(orange, 0.04F) : Theme::color(Theme::soft));
    painter.strokePath(
        shape, QPen(selected_ ? Theme::withAlpha(orange, 0.2F) : Theme::color(Theme::line), 1));
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *select_);
}

} // namespace tollenvane
