#include "app/tutorial/DemoCard.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "app/tutorial/TutorialRules.h"
#include "core/localisation/Localization.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>

namespace tollenvane {

namespace {

constexpr qreal cornerRadius = 18;
constexpr qreal backCardDegrees = -5;
constexpr int symbolSize = 56;
constexpr int nameSize = 14;
constexpr int captionSize = 11;
constexpr int columnSpacing = 16;
constexpr qreal outlineOpacity = 0.3;
constexpr int narrowestArea = 300;
// How far above and below its area the moving card stays whole.
constexpr int overhang = 140;

QTransform turnedAbout(QPointF centre, qreal degrees)
{
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(degrees);
    turn.translate(-centre.x(), -centre.y());
    return turn;
}

// Draws the moving card over the widgets around the area; the pointer passes through.
class FrontLayer final : public QWidget {
public:
    FrontLayer(DemoCard& card, QWidget* parent)
        : QWidget(parent)
        , card_(&card)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!card_) {
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (const std::optional<QRect> clip = card_->frontClip(*this)) {
            painter.setClipRect(*clip);
        }
        painter.translate(card_->mapTo(parentWidget(), QPoint()) - pos());
        card_->paintFront(painter);
    }

private:
    QPointer<DemoCard> card_;
};

} // namespace

DemoCard::DemoCard(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("demoCard"));
    setFixedHeight(areaHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::OpenHandCursor);
}

QSize DemoCard::sizeHint() const
{
    return {narrowestArea, areaHeight};
}

QSize DemoCard::minimumSizeHint() const
{
    return sizeHint();
}

void DemoCard::moveTo(QPointF target, Animations animations)
{
    stopMotion();
    motion_ = animateValue(*this, offset_, target, Motion::tutorialSpring(), animations,
                           [this](const QVariant& value) { setOffset(value.toPointF()); });
}

void DemoCard::setOffset(QPointF offset)
{
    offset_ = offset;
    if (layer_) {
        layer_->update();
    }
}

bool DemoCard::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        if (host_) {
            break;
        }
        if (layer_) {
            layer_->setParent(parentWidget());
        } else if (parentWidget() != nullptr) {
            layer_ = new FrontLayer(*this, parentWidget());
        }
        placeLayer();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        placeLayer();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool DemoCard::eventFilter(QObject* watched, QEvent* event)
{
    // The area scrolled: the card moved with it.
    if (watched == parentWidget() && event->type() == QEvent::Move) {
        placeLayer();
    }
    return QWidget::eventFilter(watched, event);
}

void DemoCard::drawAbove(QWidget& host, QWidget& clip)
{
    host_ = &host;
    clip_ = &clip;
    if (parentWidget() != nullptr) {
        parentWidget()->installEventFilter(this);
    }
    if (layer_) {
        layer_->setParent(&host);
    } else {
        layer_ = new FrontLayer(*this, &host);
    }
    placeLayer();
}

std::optional<QRect> DemoCard::frontClip(const QWidget& layer) const
{
    const bool moving = dragging_ || (motion_ && motion_->state() == QAbstractAnimation::Running);
    if (!clip_ || moving) {
        return std::nullopt;
    }
    return QRect(clip_->mapTo(layer.parentWidget(), QPoint()) - layer.pos(), clip_->size());
}

void DemoCard::placeLayer()
{
    QWidget* const host = layer_ ? layer_->parentWidget() : nullptr;
    if (host == nullptr || (host != parentWidget() && !host->isAncestorOf(this))) {
        return;
    }
    layer_->setGeometry(QRect(mapTo(host, QPoint()), size()).adjusted(0, -overhang, 0, overhang));
    layer_->setVisible(isVisibleTo(host));
    layer_->raise();
}

void DemoCard::stopMotion()
{
    if (motion_) {
        motion_->stop();
    }
}

QRectF DemoCard::restingFrame() const
{
    QRectF frame(QPointF(), cardSize);
    frame.moveCenter(QRectF(rect()).center());
    return frame;
}

QPolygonF DemoCard::face() const
{
    // Displaced first, then turned about the centre of its resting frame.
    const QRectF resting = restingFrame();
    const QTransform turn = turnedAbout(resting.center(), demoLeanDegrees(offset_));
    return turn.map(QPolygonF(resting.translated(offset_)));
}

void DemoCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF resting = restingFrame();
    painter.setTransform(turnedAbout(resting.center(), backCardDegrees));
    painter.fillPath(continuousRoundedRect(resting, cornerRadius), Theme::color(Theme::panel));
}

void DemoCard::paintFront(QPainter& painter) const
{
    const QRectF resting = restingFrame();
    painter.setTransform(turnedAbout(resting.center(), demoLeanDegrees(offset_)), true);
    paintFace(painter, resting.translated(offset_));
}

void DemoCard::paintFace(QPainter& painter, const QRectF& frame) const
{
    const QPainterPath shape = continuousRoundedRect(frame, cornerRadius);
    painter.fillPath(shape, Theme::color(Theme::panel));
    QColor outline = Theme::color(Theme::orange);
    outline.setAlphaF(outlineOpacity);
    painter.strokePath(continuousRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius),
                       QPen(outline, 1));

    const QFont nameFont = DesignFont::system(nameSize, QFont::Medium);
    const QFont captionFont = DesignFont::system(captionSize);
    const int symbolSide = Symbol::sideBeside(symbolSize);
    const int nameHeight = QFontMetrics(nameFont).height();
    const int captionHeight = QFontMetrics(captionFont).height();
    const qreal columnHeight =
        symbolSide + columnSpacing + nameHeight + columnSpacing + captionHeight;
    qreal top = frame.center().y() - columnHeight / 2;

    Symbol::paint(painter,
                  QRectF(frame.center().x() - symbolSide / 2.0, top, symbolSide, symbolSide),
                  "photo.on.rectangle.angled", Theme::color(Theme::orange));
    top += symbolSide + columnSpacing;
    const auto line = [&](const QFont& font, int height, const QColor& color, const char* key) {
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(QRectF(frame.left(), top, frame.width(), height),
                         Qt::AlignCenter | Qt::TextSingleLine, localized(key));
        top += height + columnSpacing;
    };
    line(nameFont, nameHeight, Theme::color(Theme::text), "Souvenir.png");
    line(captionFont, captionHeight, Theme::color(Theme::muted), "Carte de démonstration");
}

void DemoCard::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton ||
        !face().containsPoint(event->position(), Qt::OddEvenFill)) {
        event->ignore();
        return;
    }
    pressPosition_ = event->position();
    dragging_ = false;
}

void DemoCard::mouseMoveEvent(QMouseEvent* event)
{
    if (!pressPosition_) {
        return;
    }
    const QPointF translation = event->position() - *pressPosition_;
    if (!dragging_ && !demoDragStarted(translation)) {
        return;
    }
    if (!dragging_) {
        dragging_ = true;
        stopMotion();
        setCursor(Qt::ClosedHandCursor);
    }
    // The drag replaces any offset a demonstration left.
    setOffset(translation);
}

void DemoCard::mouseReleaseEvent(QMouseEvent* event)
{
    if (!pressPosition_ || event->button() != Qt::LeftButton) {
        return;
    }
    const QPointF translation = event->position() - *pressPosition_;
    const bool wasDragging = dragging_;
    pressPosition_.reset();
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    if (wasDragging) {
        emit released(translation);
    }
}

} // namespace tollenvane
