#include "support/LineInk.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tollenvane::test {

namespace {

// How far each pixel of the area lies from its background, 0 to 1 of the strongest ink there.
class Ink {
public:
    Ink(const QImage& picture, const QRect& area)
        : picture_(picture.convertToFormat(QImage::Format_RGB32))
        , area_(area.intersected(picture_.rect()))
        , background_(picture_.pixel(area_.topLeft()))
    {
        for (int y = area_.top(); y <= area_.bottom(); ++y) {
            for (int x = area_.left(); x <= area_.right(); ++x) {
                full_ = std::max(full_, raw(x, y));
            }
        }
    }

    const QRect& area() const { return area_; }
    qreal at(int x, int y) const
    {
        return area_.contains(x, y) ? std::min(1.0, raw(x, y) / static_cast<qreal>(full_)) : 0;
    }
    bool inked(int x, int y) const { return at(x, y) > 0.3; }

private:
    int raw(int x, int y) const
    {
        const QRgb pixel = picture_.pixel(x, y);
        return std::max({std::abs(qRed(pixel) - qRed(background_)),
                         std::abs(qGreen(pixel) - qGreen(background_)),
                         std::abs(qBlue(pixel) - qBlue(background_))});
    }

    QImage picture_;
    QRect area_;
    QRgb background_;
    int full_ = 1;
};

} // namespace

LineInk readLine(const QImage& picture, const QRect& area, qreal origin, const QString& before,
                 const QFont& font, qreal scale)
{
    const Ink ink(picture, area);
    const QRect& inside = ink.area();
    LineInk line;
    std::optional<int> stem;
    bool found = false;
    for (int x = inside.left(); x <= inside.right(); ++x) {
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            if (!ink.inked(x, y)) {
                continue;
            }
            line.top = found ? std::min(line.top, y) : y;
            line.bottom = found ? std::max(line.bottom, y) : y;
            found = true;
            if (!stem) {
                stem = x;
            }
        }
    }
    if (!found || before.isEmpty()) {
        return line;
    }
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        if (ink.inked(*stem, y) || ink.inked(*stem + 1, y)) {
            line.baseline = y;
        }
    }
    const QFontMetricsF metrics(font);
    const qreal from = origin + metrics.horizontalAdvance(before) * scale;
    const qreal to = origin + metrics.horizontalAdvance(before + QLatin1Char('_')) * scale;
    const qreal quarter = (to - from) / 4;
    qreal thinnest = -1;
    for (int x = static_cast<int>(std::ceil(from + quarter));
         x <= static_cast<int>(std::floor(to - quarter)); ++x) {
        qreal column = 0;
        for (int y = *line.baseline + 1; y <= inside.bottom(); ++y) {
            column += ink.at(x, y);
        }
        thinnest = thinnest < 0 ? column : std::min(thinnest, column);
    }
    line.underscore = std::max(0.0, thinnest);
    return line;
}

LineInk readFreeLine(const QString& text, const QString& before, const QFont& font, qreal scale)
{
    constexpr int margin = 20;
    const QFontMetricsF metrics(font);
    QImage free(static_cast<int>(metrics.horizontalAdvance(text) * scale) + 2 * margin,
                static_cast<int>(metrics.height() * 2) + 2 * margin, QImage::Format_RGB32);
    free.fill(Qt::white);
    QPainter painter(&free);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.translate(margin, margin + std::round(metrics.ascent() * 1.5));
    painter.scale(scale, scale);
    painter.drawText(QPointF(), text);
    painter.end();
    return readLine(free, free.rect(), margin, before, font, scale);
}

testing::AssertionResult showsWholeLine(const QImage& picture, const QRect& area, qreal origin,
                                        const QString& text, const QString& before,
                                        const QFont& font, qreal scale)
{
    const LineInk shown = readLine(picture, area, origin, before, font, scale);
    const LineInk free = readFreeLine(text, before, font, scale);
    const auto failure = [&] {
        return testing::AssertionFailure()
               << '"' << text.toStdString() << "\" in " << font.key().toStdString() << " at "
               << scale << ": inked over " << shown.bottom - shown.top + 1 << " rows, free "
               << free.bottom - free.top + 1 << "; below the baseline "
               << (shown.baseline ? shown.bottom - *shown.baseline : -1) << " rows, free "
               << (free.baseline ? free.bottom - *free.baseline : -1) << "; underscore "
               << shown.underscore << ", free " << free.underscore;
    };
    if (shown.bottom - shown.top < free.bottom - free.top) {
        return failure();
    }
    if (!before.isEmpty()) {
        if (!shown.baseline || !free.baseline ||
            shown.bottom - *shown.baseline < free.bottom - *free.baseline ||
            shown.underscore < 0.75 * free.underscore || free.underscore <= 0) {
            return failure();
        }
    }
    return testing::AssertionSuccess();
}

} // namespace tollenvane::test
