#pragma once

#include "app/deck/SwipeRules.h"
#include "app/design/Motion.h"

#include <QMargins>
#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QTransform>
#include <QUuid>
#include <QWidget>
#include <optional>
#include <vector>

class QVariantAnimation;

namespace tollenvane {

// The moving shell around one card of the deck: it follows a drag, leans, names the decision the
// drag points at, springs back or hands the decision to its owner, and flies out when asked.
//
// The shell is laid out over the whole deck area so that a displaced card can be drawn anywhere
// on it; the content rests centred at its size hint. Widgets cannot be rotated, so the live
// content shows only at rest: away from it the shell paints one snapshot of the content, grabbed
// when the card leaves the middle.
class SwipeMotionCard : public QWidget {
    Q_OBJECT

public:
    // The shadow under the card: blurred by `shadowBlur`, lowered by `shadowDrop`. It reaches
    // `shadowReach` beyond the face on every side.
    static constexpr int shadowBlur = 16;
    static constexpr qreal shadowDrop = 10.0;
    static constexpr qreal shadowReach = 2 * shadowBlur + shadowDrop;

    // Takes ownership of content.
    explicit SwipeMotionCard(QWidget* content, QWidget* parent = nullptr);

    // An inactive card and everything on it receive no pointer events, and its controls take no
    // focus; an active card's controls take it from Tab only, so that a click on the card leaves
    // the keyboard with what holds the card. A control of an inactive card holding the focus
    // hands it to the card itself.
    void setActive(bool active);
    bool isActive() const { return active_; }
    // Whether assistive technology sees the card and its content; a card hidden behind another,
    // or covered by one in flight, is not read out and takes no focus.
    void setExposed(bool exposed);
    bool isExposed() const { return exposed_; }
    const QWidget* content() const { return content_; }
    // The decision whose direction a fly-out takes.
    void setDecision(Decision decision) { decision_ = decision; }
    // Read at the moment of each movement: off makes it immediate.
    void setAnimations(bool animations) { animations_ = animations; }
    // A trash decided by dragging then goes back to the middle while it is being confirmed.
    void setConfirmTrash(bool confirmTrash) { confirmTrash_ = confirmTrash; }
    // A new non-empty request flies the card out, cancelling the flight in progress; an empty one
    // cancels it and leaves the card where it is.
    void setRequest(std::optional<QUuid> request);

    // The size the content is given; without one, its size hint.
    void setFaceSize(QSize size);
    // Bands at the edges of the shell that only a moving card and its shadow reach: the
    // content is centred within them.
    void setMargins(QMargins margins);
    // Where the content rests: scaled about its centre and lowered, as a card waiting behind
    // another, drawn from a picture of the content. A change moves with the flight's curve when
    // `animated`.
    void setRestPlacement(qreal scale, qreal drop, bool animated);
    qreal restScale() const { return restScale_; }
    qreal restDrop() const { return restDrop_; }
    // Where the content lies, unscaled and unmoved.
    QRect faceGeometry() const;

    // A layer over the page on which the card is drawn while it is away from the middle, so
    // that it shows whole over whatever lies around its own area.
    void setStage(QWidget* stage) { stage_ = stage; }
    bool awayFromMiddle() const { return !offset_.isNull(); }
    // Draws the card as it stands, in its own coordinates.
    void paintCard(QPainter& painter);

    QPointF offset() const { return offset_; }
    // The decision the current offset points at.
    Decision intent() const { return decisionForDirection(offset_); }
    // Springs the card back to the middle.
    void reset();
    // Takes a new snapshot of the content, for a content that changed while displaced.
    void refreshSnapshot();

signals:
    // A drag ended as a decision; at most once per drag. The card never flies by itself.
    void swiped(tollenvane::Decision decision);
    // A flight ran to its end without being cancelled.
    void flightFinished();
    // The card may move from now on: pressed, or starting a flight.
    void motionStarting();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setOffset(QPointF offset);
    void placeFace();
    bool displaced() const;
    void followPlacement();
    void repaintArea(const QRegion& area);
    void forgetPainted();
    QTransform cardTransform() const;
    QRect paintedRect() const;
    QPixmap grabContent() const;
    const QPixmap& scaledSnapshot();
    void paintShadow(QPainter& painter, const QRectF& face);
    void moveTo(QPointF target, const Motion& motion);
    void stopMotion();
    void startFlight();
    void recordSample(const QMouseEvent& event);
    void paintBadge(QPainter& painter, const QRectF& face) const;
    void followActivity();

    QWidget* content_;
    // The content's controls, as found among its widgets taking focus.
    std::vector<QPointer<QWidget>> controls_;
    bool active_ = true;
    bool exposed_ = true;
    Decision decision_ = Decision::keep;
    bool animations_ = true;
    bool confirmTrash_ = false;
    std::optional<QUuid> request_;
    // Bumped by every new request, so that a superseded flight never reports.
    quint64 flightGeneration_ = 0;

    QPointF offset_;
    QSize faceSize_;
    QMargins margins_;
    qreal restScale_ = 1.0;
    qreal restDrop_ = 0.0;
    QPointF restTarget_{1.0, 0.0};
    QPixmap snapshot_;
    QPixmap scaledSnapshot_;
    qint64 scaledSource_ = 0;
    // Taken at a press, for the drag that may follow.
    QPixmap prepared_;
    QPixmap shadow_;
    QPointer<QWidget> stage_;
    // Where the card was last painted, in its own coordinates; unknown before the first movement.
    std::optional<QRect> painted_;
    QPointer<QVariantAnimation> motion_;
    QPointer<QVariantAnimation> placement_;

    std::optional<QPointF> pressPosition_;
    bool dragging_ = false;
    std::vector<DragSample> samples_;
};

} // namespace tollenvane
