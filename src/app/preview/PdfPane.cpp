#include "app/preview/PdfPane.h"

#include <QPdfDocument>
#include <QPdfView>
#include <QVBoxLayout>

namespace tollenvane {

PdfPane::PdfPane(const QString& path, QWidget* parent)
    : QWidget(parent)
    , document_(new QPdfDocument(this))
    , view_(new QPdfView)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    document_->load(path);
    view_->setDocument(document_);
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
}

PdfPane::~PdfPane()
{
    // A closing document tells its view, which must not be half gone by then.
    view_->setDocument(nullptr);
    delete document_;
}

} // namespace tollenvane
