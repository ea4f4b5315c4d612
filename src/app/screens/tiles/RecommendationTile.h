#pragma once

#include "core/insights/FileTally.h"
#include "core/insights/SpacePreset.h"
#include "core/records/FileFilter.h"

#include <QAbstractButton>
#include <functional>

namespace tollenvane {

// The type whose icon stands for a preset on its tile; fixed per preset, whatever its filter.
FileFilter recommendationIconType(SpacePreset preset);

// A tappable card proposing one ready-made selection: what it holds and why it is worth a look.
class RecommendationTile : public QAbstractButton {
    Q_OBJECT

public:
    RecommendationTile(SpacePreset preset, FileTally tally, std::function<void()> action,
                       QWidget* parent = nullptr);

    void setTally(FileTally tally);
    SpacePreset preset() const { return preset_; }
    FileTally tally() const { return tally_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The explanation's block at a content width: wrapped, never lower than its minimum.
    int explanationHeight(int contentWidth) const;

    SpacePreset preset_;
    FileTally tally_;
};

} // namespace tollenvane
