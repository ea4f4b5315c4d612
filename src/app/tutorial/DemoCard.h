#pragma once

#include "app/design/MotionAnimator.h"

#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <optional>

class QPainter;

class QVariantAnimation;

namespace tollenvane {

// The demonstration card of the tutorial, over a tilted card that never moves. It follows a
// drag and leans with it, and tells its owner where a drag was released; it stands for no file.
//
// The widget is the card's resting area and takes the pointer there; the moving card is drawn
// by a layer above its neighbours, so that a card dragged out of the area is not cut off while
// the controls around it still take their clicks.
class DemoCard final : public QWidget {
    Q_OBJECT

public:
    static constexpr int areaHeight = 240;
    static constexpr QSizeF cardSize{270, 220};

    explicit DemoCard(QWidget* parent = nullptr);

    QPointF offset() const { return offset_; }
    // Moves the card to `target` along the tutorial's spring, or at once.
    void moveTo(QPointF target, Animations animations);
    // Where the card's face is drawn now, in this widget's coordinates.
    QPolygonF face() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Paints the moving card; `painter` is in this widget's coordinates.
    void paintFront(QPainter& painter) const;
    // Draws the moving card in `host`, an ancestor outside the scrolled area the card stands in,
    // so that a card dragged beyond that area is not cut at its edges. At rest it is cut at
    // `clip`'s edges, as the area's other content is, and never covers what stays above it.
    void drawAbove(QWidget& host, QWidget& clip);
    // Where the moving card may be drawn, in `layer`'s coordinates; nothing means anywhere.
    std::optional<QRect> frontClip(const QWidget& layer) const;

signals:
    // A drag ended; `translation` runs from where it was pressed to where it was released.
    void released(QPointF translation);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setOffset(QPointF offset);
    void placeLayer();
    void stopMotion();
    QRectF restingFrame() const;
    void paintFace(QPainter& painter, const QRectF& frame) const;

    QPointer<QWidget> layer_;
    QPointer<QWidget> host_;
    QPointer<QWidget> clip_;
    QPointF offset_;
    QPointer<QVariantAnimation> motion_;
    std::optional<QPointF> pressPosition_;
    bool dragging_ = false;
};

} // namespace tollenvane
