#include "app/deck/SwipeMotionCard.h"

#include "app/deck/SoftShadow.h"
#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/MotionAnimator.h"
#include "core/localisation/Localization.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVariantAnimation>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>

namespace tollenvane {

namespace {

constexpr double minimumDragDistance = 4.0;
constexpr qint64 sampleWindowMs = 100;
constexpr double flightSeconds = 0.24;
constexpr std::chrono::milliseconds flightDuration{240};

constexpr int badgeFontSize = 24;
constexpr qreal badgeTracking = 2.0;
constexpr qreal badgePadding = 20.0;
constexpr qreal badgeRadius = 12.0;
constexpr double badgeTintOpacity = 0.1;
constexpr double badgeBoxOpacity = 0.65;

constexpr qreal faceRadius = 18.0;
constexpr double shadowOpacity = 0.22;
constexpr int shadowBlur = 16;
constexpr qreal shadowDrop = 10.0;

Animations animationsFrom(bool on)
{
    return on ? Animations::on : Animations::off;
}

} // namespace

SwipeMotionCard::SwipeMotionCard(QWidget* content, QWidget* parent)
    : QWidget(parent)
    , content_(content)
{
    content_->setParent(this);
}

void SwipeMotionCard::setActive(bool active)
{
    active_ = active;
    setAttribute(Qt::WA_TransparentForMouseEvents, !active);
}

void SwipeMotionCard::setRequest(std::optional<QUuid> request)
{
    if (request == request_) {
        return;
    }
    request_ = request;
    ++flightGeneration_;
    if (request_) {
        startFlight();
    }
}

void SwipeMotionCard::reset()
{
    moveTo(QPointF(), Motion::deckSpring());
}

void SwipeMotionCard::refreshSnapshot()
{
    if (!snapshot_.isNull()) {
        snapshot_ = content_->grab();
        update();
    }
}

void SwipeMotionCard::startFlight()
{
    const quint64 generation = flightGeneration_;
    moveTo(flyOutTarget(decision_), Motion::easeOut(flightSeconds));
    if (!animations_) {
        emit flightFinished();
        return;
    }
    // The flight reports on its own clock, not on the animation's end, so that a drag or a
    // reset interrupting the movement cannot swallow the report.
    QTimer::singleShot(flightDuration, Qt::PreciseTimer, this, [this, generation] {
        if (generation == flightGeneration_) {
            emit flightFinished();
        }
    });
}

void SwipeMotionCard::moveTo(QPointF target, const Motion& motion)
{
    stopMotion();
    motion_ = animateValue(*this, offset_, target, motion, animationsFrom(animations_),
                           [this](const QVariant& value) { setOffset(value.toPointF()); });
}

void SwipeMotionCard::stopMotion()
{
    if (motion_) {
        motion_->stop();
    }
}

void SwipeMotionCard::setOffset(QPointF offset)
{
    const bool atRest = offset.isNull();
    if (!atRest && snapshot_.isNull()) {
        snapshot_ = content_->grab();
        content_->hide();
    } else if (atRest && !snapshot_.isNull()) {
        snapshot_ = QPixmap();
        content_->show();
    }
    offset_ = offset;
    update();
}

void SwipeMotionCard::setFaceSize(QSize size)
{
    if (size != faceSize_) {
        faceSize_ = size;
        placeFace();
    }
}

void SwipeMotionCard::setBottomOverflow(int overflow)
{
    if (overflow != bottomOverflow_) {
        bottomOverflow_ = overflow;
        placeFace();
    }
}

void SwipeMotionCard::setRestPlacement(qreal scale, qreal drop, bool animated)
{
    if (placement_) {
        placement_->stop();
    }
    const auto apply = [this](const QVariant& value) {
        const QPointF placement = value.toPointF();
        restScale_ = placement.x();
        restDrop_ = placement.y();
        placeFace();
    };
    placement_ = animateValue(*this, QPointF(restScale_, restDrop_), QPointF(scale, drop),
                              Motion::easeOut(flightSeconds),
                              animationsFrom(animated && animations_), apply);
}

QRect SwipeMotionCard::faceGeometry() const
{
    const QRect area = rect().adjusted(0, 0, 0, -bottomOverflow_);
    const QSize base =
        (faceSize_.isValid() ? faceSize_ : content_->sizeHint()).boundedTo(area.size());
    const QSizeF scaled = QSizeF(base) * restScale_;
    QRectF face(QPointF(), scaled);
    face.moveCenter(QRectF(area).center() + QPointF(0, restDrop_));
    return face.toRect();
}

void SwipeMotionCard::placeFace()
{
    const QRect face = faceGeometry();
    if (face != content_->geometry()) {
        content_->setGeometry(face);
        refreshSnapshot();
    }
    update();
}

void SwipeMotionCard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeFace();
}

void SwipeMotionCard::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRectF face = content_->geometry();
    painter.translate(face.center() + offset_);
    painter.rotate(leanDegrees(offset_));
    painter.translate(-face.center());
    paintShadow(painter, face);
    if (snapshot_.isNull()) {
        return;
    }
    painter.drawPixmap(face.topLeft(), snapshot_);
    paintBadge(painter, face);
}

// A soft dark blur under the face, made once per face size; a card resting smaller draws it
// smaller. Only its rim is drawn: the face hides the rest, and a transformed picture costs by
// the pixel while the card moves.
void SwipeMotionCard::paintShadow(QPainter& painter, const QRectF& face)
{
    const QSize base = (faceSize_.isValid() ? faceSize_ : content_->sizeHint())
                           .boundedTo(rect().adjusted(0, 0, 0, -bottomOverflow_).size());
    const int margin = 2 * shadowBlur;
    if (shadow_.size() != base + QSize(2 * margin, 2 * margin)) {
        shadow_ = blurredRoundedRect(base + QSize(2 * margin, 2 * margin), margin, faceRadius,
                                     shadowBlur, QColor::fromRgbF(0, 0, 0, shadowOpacity));
    }
    if (shadow_.isNull()) {
        return;
    }
    const qreal scale = restScale_;
    const QRectF target = QRectF(face.topLeft() - QPointF(margin, margin - shadowDrop) * scale,
                                 QSizeF(shadow_.size()) * scale);
    const int rim = std::min(margin + static_cast<int>(faceRadius + shadowDrop),
                             std::min(shadow_.width(), shadow_.height()) / 2);
    const QRect source = shadow_.rect();
    const std::array<QRect, 4> bands{
        QRect(0, 0, source.width(), rim),
        QRect(0, source.height() - rim, source.width(), rim),
        QRect(0, rim, rim, source.height() - 2 * rim),
        QRect(source.width() - rim, rim, rim, source.height() - 2 * rim),
    };
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const QRect& band : bands) {
        const QRectF to(target.topLeft() + QPointF(band.topLeft()) * scale,
                        QSizeF(band.size()) * scale);
        painter.drawPixmap(to, shadow_, QRectF(band));
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void SwipeMotionCard::paintBadge(QPainter& painter, const QRectF& face) const
{
    const double opacity = badgeOpacity(offset_);
    if (opacity <= 0.0) {
        return;
    }
    const Decision decision = intent();
    const QColor color = badgeColor(decision, Theme::currentScheme());
    painter.setOpacity(opacity);

    QColor tint = color;
    tint.setAlphaF(badgeTintOpacity);
    painter.fillRect(face, tint);

    const QFont font =
        DesignFont::tracked(DesignFont::system(badgeFontSize, QFont::Bold), badgeTracking);
    const QString label = QString::fromStdString(Localization::text(badgeTextKey(decision)));
    const QRectF textRect = QFontMetricsF(font).boundingRect(label);
    QRectF box(QPointF(), textRect.size() + QSizeF(2 * badgePadding, 2 * badgePadding));
    box.moveCenter(face.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(0, 0, 0, badgeBoxOpacity));
    painter.drawPath(continuousRoundedRect(box, badgeRadius));
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, label);
}

void SwipeMotionCard::mousePressEvent(QMouseEvent* event)
{
    if (!active_ || event->button() != Qt::LeftButton ||
        !content_->geometry().contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    pressPosition_ = event->position();
    dragging_ = false;
    samples_.clear();
    recordSample(*event);
}

void SwipeMotionCard::mouseMoveEvent(QMouseEvent* event)
{
    if (!active_ || !pressPosition_) {
        event->ignore();
        return;
    }
    recordSample(*event);
    const QPointF translation = event->position() - *pressPosition_;
    if (!dragging_) {
        if (std::hypot(translation.x(), translation.y()) < minimumDragDistance) {
            return;
        }
        dragging_ = true;
        // The content may be hidden under the pointer once the card leaves the middle.
        grabMouse();
        stopMotion();
    }
    setOffset(translation);
}

void SwipeMotionCard::mouseReleaseEvent(QMouseEvent* event)
{
    if (!pressPosition_) {
        event->ignore();
        return;
    }
    const QPointF pressPosition = *pressPosition_;
    pressPosition_.reset();
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    releaseMouse();
    if (!active_) {
        return;
    }
    recordSample(*event);
    const QPointF translation = event->position() - pressPosition;
    const QPointF predicted = predictedEndTranslation(translation, dragVelocity(samples_));
    const DragOutcome outcome = dragOutcome(translation, predicted, confirmTrash_);
    if (outcome.springsBack) {
        reset();
    }
    if (outcome.decision) {
        emit swiped(*outcome.decision);
    }
}

void SwipeMotionCard::recordSample(const QMouseEvent& event)
{
    const auto timestamp = static_cast<qint64>(event.timestamp());
    std::erase_if(samples_, [timestamp](const DragSample& sample) {
        return timestamp - sample.timestampMs > sampleWindowMs;
    });
    samples_.push_back({event.position(), timestamp});
}

} // namespace tollenvane
