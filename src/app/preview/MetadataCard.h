#pragma once

#include <QWidget>

namespace tollenvane {

// What is known of a file the preview cannot show: its icon, name, size and type. The size is
// read beforehand, off the main thread.
class MetadataCard final : public QWidget {
    Q_OBJECT

public:
    MetadataCard(const QString& path, qint64 size, QWidget* parent = nullptr);
};

} // namespace tollenvane
