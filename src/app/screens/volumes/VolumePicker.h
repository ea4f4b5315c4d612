#pragma once

#include "app/kit/KeyedRows.h"
#include "app/kit/QueuedRefresh.h"

#include <QWidget>
#include <cstdint>
#include <memory>

namespace tollenvane {

class AppModel;
class PlainButton;
class Spinner;
class TextBlock;
class VolumeRow;

// "Your disks": the mounted volumes the user can tidy, how full each is, which one the
// application's figures follow, and a refresh for a disk plugged in or out.
class VolumePicker final : public QWidget {
    Q_OBJECT

public:
    explicit VolumePicker(AppModel& model, QWidget* parent = nullptr);
    ~VolumePicker() override;

private:
    void refresh();

    AppModel& model_;
    QueuedRefresh refresh_;
    PlainButton* refreshButton_;
    Spinner* refreshing_;
    std::unique_ptr<KeyedRows<std::uint64_t, VolumeRow>> rows_;
    TextBlock* hint_;
};

} // namespace tollenvane
