#pragma once

#include <QWidget>

namespace tollenvane {

// What is known of a file the preview cannot show: its icon, name, size and type.
class MetadataCard final : public QWidget {
    Q_OBJECT

public:
    explicit MetadataCard(const QString& path, QWidget* parent = nullptr);
};

} // namespace tollenvane
