#include "app/screens/tiles/RecommendationTile.h"

#include "app/design/FileCategoryIcon.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/LocalizedText.h"
#include "app/design/SpokenName.h"
#include "app/design/Theme.h"
#include "app/screens/tiles/SpacePresetText.h"
#include "app/screens/tiles/TallyText.h"
#include "app/screens/tiles/TilePainting.h"

#include <QPainter>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int padding = 18;
constexpr int spacing = 12;
constexpr int iconSide = 40;
constexpr int iconGap = 12;
constexpr int titleGap = 4;
constexpr int minimumExplanationHeight = 28;
constexpr qreal cornerRadius = 16;
constexpr int narrowestWidth = 180;

using namespace TilePainting;

int headerHeight()
{
    const int texts =
        QFontMetrics(titleFont()).height() + titleGap + QFontMetrics(smallFont()).height();
    return std::max(iconSide, texts);
}

} // namespace

FileFilter recommendationIconType(SpacePreset preset)
{
    switch (preset) {
    case SpacePreset::large:
        return FileFilter::all;
    case SpacePreset::oldVideos:
    case SpacePreset::creator:
        return FileFilter::videos;
    case SpacePreset::downloads:
        return FileFilter::documents;
    case SpacePreset::archives:
        return FileFilter::archives;
    case SpacePreset::screenshots:
        return FileFilter::screenshots;
    }
    return FileFilter::all;
}

RecommendationTile::RecommendationTile(SpacePreset preset, FileTally tally,
                                       std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent)
    , preset_(preset)
    , tally_(tally)
{
    setObjectName(QStringLiteral("preset-") + QString::fromUtf8(rawValue(preset)));
    setText(presetTitle(preset));
    setSpokenName(*this, spokenTally(text(), tally_));
    setCursor(Qt::PointingHandCursor);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    if (action) {
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
    }
}

void RecommendationTile::setTally(FileTally tally)
{
    if (tally != tally_) {
        tally_ = tally;
        setSpokenName(*this, spokenTally(text(), tally_));
        update();
    }
}

int RecommendationTile::explanationHeight(int contentWidth) const
{
    const QRect wrapped = QFontMetrics(smallFont())
                              .boundingRect(QRect(0, 0, std::max(contentWidth, 1), 100000),
                                            Qt::TextWordWrap, presetExplanation(preset_));
    return std::max(minimumExplanationHeight, wrapped.height());
}

int RecommendationTile::heightForWidth(int width) const
{
    return padding + headerHeight() + spacing + explanationHeight(width - 2 * padding) + spacing +
           actionHeight() + padding;
}

QSize RecommendationTile::sizeHint() const
{
    return {narrowestWidth, heightForWidth(narrowestWidth)};
}

QSize RecommendationTile::minimumSizeHint() const
{
    return {narrowestWidth, heightForWidth(narrowestWidth)};
}

void RecommendationTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);

    const QPainterPath shape = cardShape(rect(), cornerRadius);
    painter.fillPath(shape, Theme::color(Theme::panel));
    painter.setPen(QPen(Theme::color(Theme::line), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(shape);

    const QRect content = rect().adjusted(padding, padding, -padding, -padding);
    const int header = headerHeight();
    FileCategoryIcon::paint(
        painter,
        QRectF(content.left(), content.top() + (header - iconSide) / 2.0, iconSide, iconSide),
        recommendationIconType(preset_));

    const QFontMetrics titleMetrics(titleFont());
    const QFontMetrics smallMetrics(smallFont());
    const int textLeft = content.left() + iconSide + iconGap;
    const int textWidth = std::max(0, content.right() + 1 - textLeft);
    int top =
        content.top() + (header - (titleMetrics.height() + titleGap + smallMetrics.height())) / 2;
    paintLine(painter, QRect(textLeft, top, textWidth, titleMetrics.height()), presetTitle(preset_),
              titleFont(), Theme::color(Theme::text));
    top += titleMetrics.height() + titleGap;
    paintLine(painter, QRect(textLeft, top, textWidth, smallMetrics.height()), tallyText(tally_),
              smallFont(), Theme::color(Theme::orange));

    top = content.top() + header + spacing;
    const int explanation = explanationHeight(content.width());
    painter.setFont(smallFont());
    painter.setPen(Theme::color(Theme::muted));
    painter.drawText(QRect(content.left(), top, content.width(), explanation),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, presetExplanation(preset_));

    top += explanation + spacing;
    paintAction(painter, QRectF(content.left(), top, content.width(), actionHeight()),
                localized("Examiner"));
    paintFocusRing(painter, QRectF(rect()), cornerRadius, *this);
}

} // namespace tollenvane
