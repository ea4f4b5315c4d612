#pragma once

#include "app/design/Theme.h"

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

namespace tollenvane::TilePainting {

// The type of the tappable cards: a title, small lines, and the action at the bottom.
QFont titleFont();
QFont smallFont();
QFont actionFont();

// The card's rounded outline, inset by half a pixel so that its hairline stays inside `rect`.
QPainterPath cardShape(const QRectF& rect, qreal cornerRadius);

// One line of text, cut at the end when it does not fit.
void paintLine(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
               const QColor& color);

// The height of the action row: its text or its arrow, whichever is taller.
int actionHeight();
// The action's text in the accent, with an arrow at the row's trailing edge.
void paintAction(QPainter& painter, const QRectF& row, const QString& text);

} // namespace tollenvane::TilePainting
