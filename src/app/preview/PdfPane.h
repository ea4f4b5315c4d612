#pragma once

#include <QImage>
#include <QScrollArea>
#include <vector>

namespace tollenvane {

// A document's first pages, one under the other, drawn beforehand by the decoder process: the
// document itself is never opened in the application.
class PdfPane final : public QScrollArea {
    Q_OBJECT

public:
    explicit PdfPane(const std::vector<QImage>& pages, QWidget* parent = nullptr);
};

} // namespace tollenvane
