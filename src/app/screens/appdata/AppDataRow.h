#pragma once

#include "core/applications/AppDataEntry.h"

#include <QWidget>
#include <optional>

class QPushButton;

namespace tollenvane {

class ElidedLabel;
class FileRevealer;

// One piece of leftover data: whose it is and what kind, where, how large, and a button that
// shows it in the file manager. Nothing here changes the item.
class AppDataRow final : public QWidget {
    Q_OBJECT

public:
    explicit AppDataRow(FileRevealer& revealer, QWidget* parent = nullptr);
    void setEntry(const AppDataEntry& entry);

private:
    std::optional<AppDataEntry> entry_;
    ElidedLabel* title_;
    ElidedLabel* location_;
    ElidedLabel* size_;
};

} // namespace tollenvane
