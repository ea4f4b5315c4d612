#include "app/deck/SwipeMotionCard.h"

#include "app/deck/SoftShadow.h"
#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/MotionAnimator.h"
#include "core/localisation/Localization.h"

#include <QAccessible>
#include <QLayout>
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

constexpr int parkingGap = 100;
constexpr qreal faceRadius = 18.0;
constexpr double shadowOpacity = 0.22;

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
    followActivity();
}

void SwipeMotionCard::setExposed(bool exposed)
{
    if (exposed == exposed_) {
        return;
    }
    exposed_ = exposed;
    // Only the card read out takes the focus, from a click or from its deck.
    setFocusPolicy(exposed ? Qt::ClickFocus : Qt::NoFocus);
    QAccessible::State changed;
    changed.invisible = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void SwipeMotionCard::setActive(bool active)
{
    active_ = active;
    setAttribute(Qt::WA_TransparentForMouseEvents, !active);
    followActivity();
}

// Looked for at each change, as the content may make controls as it fills.
void SwipeMotionCard::followActivity()
{
    for (QWidget* child : content_->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus &&
            std::find(controls_.begin(), controls_.end(), child) == controls_.end()) {
            controls_.emplace_back(child);
        }
    }
    std::erase_if(controls_, [](const QPointer<QWidget>& control) { return control.isNull(); });
    for (const QPointer<QWidget>& control : controls_) {
        control->setFocusPolicy(active_ ? Qt::TabFocus : Qt::NoFocus);
    }
    // The card itself keeps it: the next card takes it from there when it shows.
    if (!active_ && content_->isAncestorOf(window()->focusWidget())) {
        setFocus(Qt::OtherFocusReason);
    }
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
        snapshot_ = grabContent();
        if (restScale_ != 1.0) {
            scaledSnapshot();
        }
        update();
    }
}

QPixmap SwipeMotionCard::grabContent() const
{
    // A face never shown yet has its children placed only once its layout runs.
    if (QLayout* layout = content_->layout()) {
        layout->activate();
    }
    return content_->grab();
}

bool SwipeMotionCard::displaced() const
{
    return !offset_.isNull() || restScale_ != 1.0 || restDrop_ != 0.0;
}

// Away from the middle the shell paints one picture of the face instead of the live widgets:
// a moving frame then costs one drawn picture, whatever the face holds.
void SwipeMotionCard::followPlacement()
{
    if (displaced() && snapshot_.isNull()) {
        snapshot_ = prepared_.isNull() ? grabContent() : prepared_;
        placeFace();
    } else if (!displaced() && !snapshot_.isNull()) {
        snapshot_ = QPixmap();
        scaledSnapshot_ = QPixmap();
        placeFace();
    }
    prepared_ = QPixmap();
    // Only where the card was and where it is now: the stage spans the whole window, and all
    // of it would be drawn again at every movement.
    const QRect now = paintedRect();
    repaintArea(QRegion(painted_.value_or(rect())) + QRegion(now));
    painted_ = now;
}

void SwipeMotionCard::repaintArea(const QRegion& area)
{
    update(area);
    if (stage_) {
        stage_->update(area.translated(stage_->mapFromGlobal(mapToGlobal(QPoint()))));
    }
}

// What the card painted last is drawn again without it: on the stage, beyond the card's own
// area, nothing else would.
void SwipeMotionCard::forgetPainted()
{
    if (painted_) {
        repaintArea(QRegion(*painted_));
        painted_.reset();
    }
}

// From the face at rest to the card as it stands: moved, leaning, and scaled about its centre.
QTransform SwipeMotionCard::cardTransform() const
{
    const QPointF centre = QRectF(faceGeometry()).center();
    QTransform transform;
    transform.translate(centre.x() + offset_.x(), centre.y() + offset_.y() + restDrop_);
    transform.rotate(leanDegrees(offset_));
    transform.scale(restScale_, restScale_);
    transform.translate(-centre.x(), -centre.y());
    return transform;
}

// Where the card as it stands paints, its shadow included.
QRect SwipeMotionCard::paintedRect() const
{
    const QRectF face =
        QRectF(faceGeometry()).adjusted(-shadowReach, -shadowReach, shadowReach, shadowReach);
    // A pixel more for the antialiased edges.
    return cardTransform().mapRect(face).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void SwipeMotionCard::startFlight()
{
    emit motionStarting();
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
    offset_ = offset;
    followPlacement();
}

void SwipeMotionCard::setFaceSize(QSize size)
{
    if (size != faceSize_) {
        faceSize_ = size;
        forgetPainted();
        placeFace();
    }
}

void SwipeMotionCard::setMargins(QMargins margins)
{
    if (margins != margins_) {
        margins_ = margins;
        forgetPainted();
        placeFace();
    }
}

void SwipeMotionCard::setRestPlacement(qreal scale, qreal drop, bool animated)
{
    // Asked again for the same place, a movement under way keeps its pace.
    if (QPointF(scale, drop) == restTarget_) {
        return;
    }
    restTarget_ = QPointF(scale, drop);
    if (placement_) {
        placement_->stop();
    }
    const auto apply = [this](const QVariant& value) {
        const QPointF placement = value.toPointF();
        restScale_ = placement.x();
        restDrop_ = placement.y();
        followPlacement();
    };
    placement_ = animateValue(*this, QPointF(restScale_, restDrop_), QPointF(scale, drop),
                              Motion::easeOut(flightSeconds),
                              animationsFrom(animated && animations_), apply);
}

QRect SwipeMotionCard::faceGeometry() const
{
    const QRect area = rect().marginsRemoved(margins_);
    const QSize base =
        (faceSize_.isValid() ? faceSize_ : content_->sizeHint()).boundedTo(area.size());
    QRect face(QPoint(), base);
    face.moveCenter(area.center());
    return face;
}

// While a picture stands in for the face, the face is parked beside the shell, where it is
// never drawn but stays shown, so that a new picture of it has all its parts.
void SwipeMotionCard::placeFace()
{
    QRect face = faceGeometry();
    if (!snapshot_.isNull()) {
        face.moveTo(-face.width() - parkingGap, 0);
    }
    if (face != content_->geometry()) {
        const bool resized = face.size() != content_->size();
        content_->setGeometry(face);
        if (resized) {
            refreshSnapshot();
        }
    }
    update();
}

void SwipeMotionCard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    forgetPainted();
    placeFace();
}

void SwipeMotionCard::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    forgetPainted();
}

void SwipeMotionCard::paintEvent(QPaintEvent* /*event*/)
{
    if (stage_ && awayFromMiddle()) {
        return;
    }
    QPainter painter(this);
    paintCard(painter);
}

void SwipeMotionCard::paintCard(QPainter& painter)
{
    const QTransform base = painter.transform();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QRectF face = faceGeometry();
    painter.setTransform(cardTransform(), true);
    paintShadow(painter, face);
    if (snapshot_.isNull()) {
        return;
    }
    if (restScale_ != 1.0 && leanDegrees(offset_) == 0.0) {
        // A card resting smaller is drawn from a picture made at its size once, not scaled
        // again at every frame.
        const QPixmap& picture = scaledSnapshot();
        const QPointF centre = face.center() + offset_ + QPointF(0, restDrop_);
        painter.setTransform(base);
        painter.drawPixmap((centre - QPointF(picture.width(), picture.height()) / 2.0).toPoint(),
                           picture);
        return;
    }
    painter.drawPixmap(face.topLeft(), snapshot_);
    paintBadge(painter, face);
}

const QPixmap& SwipeMotionCard::scaledSnapshot()
{
    const QSize size = (QSizeF(snapshot_.size()) * restScale_).toSize();
    if (scaledSnapshot_.size() != size || scaledSource_ != snapshot_.cacheKey()) {
        scaledSnapshot_ = snapshot_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaledSource_ = snapshot_.cacheKey();
    }
    return scaledSnapshot_;
}

// A soft dark blur under the face, made once per face size. Only its rim is drawn: the face hides
// the rest, and a transformed picture costs by the pixel while the card moves.
void SwipeMotionCard::paintShadow(QPainter& painter, const QRectF& face)
{
    const QSize base = (faceSize_.isValid() ? faceSize_ : content_->sizeHint())
                           .boundedTo(rect().marginsRemoved(margins_).size());
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
        const QRectF to(target.topLeft() + QPointF(band.topLeft()), QSizeF(band.size()));
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
    const QString label = localized(badgeTextKey(decision));
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
        !faceGeometry().contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    pressPosition_ = event->position();
    dragging_ = false;
    // The picture a drag moves is taken now, before anything moves, and the cards around it
    // make theirs too: the first frame of the drag then costs no more than the others.
    if (snapshot_.isNull()) {
        prepared_ = grabContent();
    }
    emit motionStarting();
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
        prepared_ = QPixmap();
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
