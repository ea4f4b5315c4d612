#include "app/preview/PdfPane.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int pageGap = 16;

} // namespace

PdfPane::PdfPane(const std::vector<QImage>& pages, QWidget* parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("pdfPane"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(pageGap, pageGap, pageGap, pageGap);
    layout->setSpacing(pageGap);
    for (const QImage& page : pages) {
        auto* shown = new QLabel;
        shown->setPixmap(QPixmap::fromImage(page));
        layout->addWidget(shown, 0, Qt::AlignHCenter);
    }
    layout->addStretch();
    setWidget(column);
}

} // namespace tollenvane
