#pragma once

#include "core/volumes/StorageVolume.h"

#include <QAbstractButton>
#include <QWidget>
#include <functional>

namespace tollenvane {

class ElidedLabel;
class SecondaryButton;
class SymbolView;
class VolumeUsageBar;

// One mounted volume: a button that picks it, showing how full it is, and the button that
// opens the folder chooser on it. A picked row is tinted and marked.
class VolumeRow final : public QWidget {
    Q_OBJECT

public:
    struct Actions {
        std::function<void(const StorageVolume&)> select;
        std::function<void(const StorageVolume&)> chooseFolders;
    };

    explicit VolumeRow(Actions actions, QWidget* parent = nullptr);
    void setVolume(const StorageVolume& volume, bool selected, bool canChoose);
    const StorageVolume& volume() const { return volume_; }
    bool isSelected() const { return selected_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Actions actions_;
    StorageVolume volume_;
    bool selected_ = false;
    QAbstractButton* select_;
    SymbolView* internal_;
    SymbolView* external_;
    ElidedLabel* title_;
    ElidedLabel* readOnly_;
    ElidedLabel* capacity_;
    VolumeUsageBar* bar_;
    SymbolView* mark_;
    SecondaryButton* choose_;
};

} // namespace tollenvane
