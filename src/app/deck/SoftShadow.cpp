#include "app/deck/SoftShadow.h"

#include "app/design/ContinuousRoundedRect.h"

#include <QImage>
#include <QPainter>
#include <vector>

namespace tollenvane {
namespace {

// One pass of a running box average over the alpha bytes of a line of `count` pixels, `step`
// bytes apart.
void boxLine(uchar* line, int count, int step, int halfWidth, std::vector<int>& scratch)
{
    scratch.assign(static_cast<std::size_t>(count), 0);
    const int width = 2 * halfWidth + 1;
    int sum = 0;
    const auto at = [&](int index) {
        return index < 0 || index >= count ? 0 : int(line[index * step]);
    };
    for (int index = -halfWidth; index <= halfWidth; ++index) {
        sum += at(index);
    }
    for (int index = 0; index < count; ++index) {
        scratch[static_cast<std::size_t>(index)] = sum / width;
        sum += at(index + halfWidth + 1) - at(index - halfWidth);
    }
    for (int index = 0; index < count; ++index) {
        line[index * step] = static_cast<uchar>(scratch[static_cast<std::size_t>(index)]);
    }
}

} // namespace

QPixmap blurredRoundedRect(QSize size, int inset, qreal radius, int blur, const QColor& color)
{
    if (size.isEmpty()) {
        return {};
    }
    QImage alpha(size, QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPath(continuousRoundedRect(
            QRectF(alpha.rect()).adjusted(inset, inset, -inset, -inset), radius));
    }
    // Three box passes each way come close to a Gaussian of the same spread.
    const int halfWidth = std::max(1, blur / 2);
    std::vector<int> scratch;
    const auto bytesPerLine = static_cast<int>(alpha.bytesPerLine());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < size.height(); ++y) {
            boxLine(alpha.scanLine(y), size.width(), 1, halfWidth, scratch);
        }
        for (int x = 0; x < size.width(); ++x) {
            boxLine(alpha.bits() + x, size.height(), bytesPerLine, halfWidth, scratch);
        }
    }
    QImage shadow(size, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(color);
    QPainter painter(&shadow);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, alpha);
    painter.end();
    return QPixmap::fromImage(shadow);
}

} // namespace tollenvane
