#pragma once

#include <QWidget>

class QPdfDocument;
class QPdfView;

namespace tollenvane {

// Every page of a PDF document, one under the other, fitted to the width.
class PdfPane final : public QWidget {
    Q_OBJECT

public:
    explicit PdfPane(const QString& path, QWidget* parent = nullptr);
    ~PdfPane() override;

private:
    QPdfDocument* document_;
    QPdfView* view_;
};

} // namespace tollenvane
