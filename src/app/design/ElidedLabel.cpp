#include "app/design/ElidedLabel.h"

#include "app/design/LineBox.h"
#include "app/design/SpokenName.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

namespace tollenvane {

ElidedLabel::ElidedLabel(const QString& text, ElisionSide side, QWidget* parent)
    : QWidget(parent)
    , side_(side)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setText(text);
}

void ElidedLabel::setText(const QString& text)
{
    text_ = text;
    hint_ = QSize();
    natural_.reset();
    fit_.reset();
    setSpokenName(*this, text);
    updateGeometry();
    update();
}

void ElidedLabel::setElisionSide(ElisionSide side)
{
    side_ = side;
    fit_.reset();
    update();
}

void ElidedLabel::setMinimumScale(qreal scale)
{
    minimumScale_ = scale;
    fit_.reset();
    update();
}

void ElidedLabel::setColor(std::optional<ThemeColor> token)
{
    color_ = token;
    update();
}

TextFit ElidedLabel::fitted() const
{
    if (!fit_ || fitWidth_ != width()) {
        fit_ = fitText(text_, naturalWidth(), QFontMetricsF(font()), width(), side_, minimumScale_);
        fitWidth_ = width();
    }
    return *fit_;
}

qreal ElidedLabel::naturalWidth() const
{
    // Measured once: the size hint and the fit both need it, and measuring shapes the text.
    if (!natural_) {
        natural_ = QFontMetricsF(font()).horizontalAdvance(text_);
    }
    return *natural_;
}

QSize ElidedLabel::sizeHint() const
{
    if (!hint_.isValid()) {
        hint_ = QSize(static_cast<int>(std::ceil(naturalWidth())), lineBox(font(), text_).height);
    }
    return hint_;
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(0, sizeHint().height());
}

void ElidedLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        hint_ = QSize();
        natural_.reset();
        fit_.reset();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    const TextFit fit = fitted();
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(color_ ? Theme::color(*color_) : palette().color(QPalette::WindowText));
    QRectF box = rect();
    if (fit.scale < 1) {
        // Shrinks about the vertical centre so the baseline stays where a full-size line would be.
        painter.translate(0, height() / 2.0);
        painter.scale(fit.scale, fit.scale);
        const qreal fullHeight = height() / fit.scale;
        box = QRectF(0, -fullHeight / 2, width() / fit.scale, fullHeight);
    }
    drawLine(painter, box, Qt::AlignLeft, fit.text);
}

} // namespace tollenvane
