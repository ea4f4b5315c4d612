#include "app/design/FileCategoryIcon.h"

#include "app/design/Symbol.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tollenvane {

namespace {

struct Category {
    std::string_view symbol;
    CategoryColors colors;
};

Category category(FileFilter type)
{
    const auto rgb = [](double r, double g, double b) { return QColor::fromRgbF(r, g, b); };
    switch (type) {
    case FileFilter::all:
        return {"folder.fill", {rgb(1.0, 0.7, 0.43), rgb(0.97, 0.43, 0.3)}};
    case FileFilter::screenshots:
        return {"viewfinder", {rgb(0.39, 0.76, 1.0), rgb(0.16, 0.4, 0.91)}};
    case FileFilter::images:
        return {"photo.fill", {rgb(0.41, 0.86, 0.64), rgb(0.12, 0.57, 0.48)}};
    case FileFilter::videos:
        return {"play.rectangle.fill", {rgb(0.75, 0.57, 1.0), rgb(0.48, 0.31, 0.87)}};
    case FileFilter::pdf:
        return {"doc.richtext.fill", {rgb(1.0, 0.55, 0.58), rgb(0.83, 0.27, 0.37)}};
    case FileFilter::audio:
        return {"waveform", {rgb(1.0, 0.72, 0.43), rgb(0.89, 0.4, 0.23)}};
    case FileFilter::archives:
        return {"shippingbox.fill", {rgb(0.89, 0.74, 0.49), rgb(0.64, 0.47, 0.28)}};
    case FileFilter::documents:
        return {"doc.text.fill", {rgb(0.39, 0.69, 1.0), rgb(0.28, 0.43, 0.82)}};
    case FileFilter::applications:
        return {"app.badge.fill", {rgb(0.63, 0.67, 1.0), rgb(0.38, 0.37, 0.87)}};
    }
    return category(FileFilter::all);
}

QColor withOpacity(QColor color, qreal opacity)
{
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QPainterPath roundedCard(qreal width, qreal height, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(-width / 2, -height / 2, width, height), radius, radius);
    return path;
}

// Two box-blur passes each way on the alpha of a premultiplied image: close enough to a
// Gaussian for a 2-pixel shadow.
void blur(QImage& image, int radius)
{
    const int width = image.width();
    const int height = image.height();
    std::vector<int> line;
    const auto pass = [&](bool horizontal) {
        const int length = horizontal ? width : height;
        const int lines = horizontal ? height : width;
        line.resize(static_cast<std::size_t>(length) * 4);
        for (int l = 0; l < lines; ++l) {
            const auto pixel = [&](int i) -> QRgb& {
                const int x = horizontal ? i : l;
                const int y = horizontal ? l : i;
                return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
            };
            for (int i = 0; i < length; ++i) {
                const QRgb value = pixel(i);
                line[i * 4] = qRed(value);
                line[i * 4 + 1] = qGreen(value);
                line[i * 4 + 2] = qBlue(value);
                line[i * 4 + 3] = qAlpha(value);
            }
            for (int i = 0; i < length; ++i) {
                int sums[4] = {0, 0, 0, 0};
                for (int k = -radius; k <= radius; ++k) {
                    const int j = std::clamp(i + k, 0, length - 1);
                    for (int c = 0; c < 4; ++c) {
                        sums[c] += line[j * 4 + c];
                    }
                }
                const int count = 2 * radius + 1;
                pixel(i) =
                    qRgba(sums[0] / count, sums[1] / count, sums[2] / count, sums[3] / count);
            }
        }
    };
    for (int round = 0; round < 2; ++round) {
        pass(true);
        pass(false);
    }
}

void paintPictogram(QPainter& painter, const QRectF& box, const Category& type)
{
    const qreal s = box.width();
    const qreal side = 0.34 * s * Symbol::boxScale;
    const QRectF glyph(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const int margin = 4;
    const int pixels = static_cast<int>(std::ceil(side * ratio)) + 2 * margin;
    QImage shadow(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter shadowPainter(&shadow);
        Symbol::paint(shadowPainter,
                      QRectF(margin, margin, pixels - 2 * margin, pixels - 2 * margin), type.symbol,
                      withOpacity(type.colors.deep, 0.5));
    }
    blur(shadow, std::max(1, static_cast<int>(std::lround(ratio))));
    shadow.setDevicePixelRatio(ratio);
    const qreal offset = margin / ratio;
    painter.drawImage(glyph.topLeft() + QPointF(-offset, 2 - offset), shadow);
    Symbol::paint(painter, glyph, type.symbol, Qt::white);
}

} // namespace

CategoryColors categoryColors(FileFilter type)
{
    return category(type).colors;
}

std::string_view categorySymbol(FileFilter type)
{
    return category(type).symbol;
}

FileCategoryIcon::FileCategoryIcon(FileFilter type, int size, QWidget* parent)
    : QWidget(parent)
    , type_(type)
{
    setFixedSize(size, size);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

namespace {

void paintIcon(QPainter& painter, const QRectF& box, FileFilter type)
{
    const Category drawn = category(type);
    const qreal s = std::min(box.width(), box.height());
    const QColor deep = drawn.colors.deep;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.center());
    painter.setPen(Qt::NoPen);

    painter.fillPath(roundedCard(s, s, 0.26 * s), withOpacity(deep, 0.14));

    painter.save();
    painter.translate(-0.035 * s, 0.025 * s);
    painter.rotate(-12);
    painter.fillPath(roundedCard(0.6 * s, 0.7 * s, 0.13 * s), withOpacity(deep, 0.45));
    painter.restore();

    painter.save();
    painter.rotate(6);
    const QPainterPath front = roundedCard(0.69 * s, 0.73 * s, 0.13 * s);
    QLinearGradient gradient(front.boundingRect().topLeft(), front.boundingRect().bottomRight());
    gradient.setColorAt(0, drawn.colors.light);
    gradient.setColorAt(1, deep);
    painter.fillPath(front, gradient);
    QPen outline(withOpacity(Qt::white, 0.25), 1);
    outline.setCapStyle(Qt::FlatCap);
    outline.setJoinStyle(Qt::MiterJoin);
    painter.strokePath(front, outline);
    painter.restore();

    painter.translate(-box.center());
    paintPictogram(painter, QRectF(box.center().x() - s / 2, box.center().y() - s / 2, s, s),
                   drawn);
    painter.restore();
}

bool whole(qreal value)
{
    return value == std::round(value);
}

// The icon of `side` pixels at `ratio`, painted once: rows show the same icon again and again,
// and its shadow is blurred pixel by pixel.
QPixmap renderedIcon(FileFilter type, int side, qreal ratio)
{
    const QString key = QStringLiteral("tollenvane-category-%1-%2-%3")
                            .arg(static_cast<int>(type))
                            .arg(side)
                            .arg(ratio);
    QPixmap icon;
    if (QPixmapCache::find(key, &icon)) {
        return icon;
    }
    const int pixels = static_cast<int>(std::ceil(side * ratio));
    icon = QPixmap(pixels, pixels);
    icon.setDevicePixelRatio(ratio);
    icon.fill(Qt::transparent);
    {
        QPainter painter(&icon);
        paintIcon(painter, QRectF(0, 0, side, side), type);
    }
    QPixmapCache::insert(key, icon);
    return icon;
}

} // namespace

void FileCategoryIcon::paint(QPainter& painter, const QRectF& box, FileFilter type)
{
    const qreal side = std::min(box.width(), box.height());
    const QPointF corner(box.center().x() - side / 2, box.center().y() - side / 2);
    const QPointF onDevice = painter.transform().map(corner);
    // A kept picture draws the same pixels only on the pixel grid.
    if (painter.transform().type() > QTransform::TxTranslate || !whole(side) ||
        !whole(onDevice.x()) || !whole(onDevice.y())) {
        paintIcon(painter, box, type);
        return;
    }
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(corner, renderedIcon(type, static_cast<int>(side), ratio));
}

void FileCategoryIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()), type_);
}

} // namespace tollenvane
