// Where a secondary window opens: beside its owner, never over it, while the
// screen has room on one side; always within the screen's available area.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The top-left corner for a window of frame size frame beside the owner's
// frame rcOwner: to its right, or to its left when the right side of
// rcAvailable has no room; with no room on either side, against the
// available area's right edge. Top-aligned with the owner, moved up or right
// as little as it takes to stay within rcAvailable (an empty rcAvailable
// keeps the place beside the owner).
QPoint PlaceBeside(const QRect& rcOwner, const QSize& frame, const QRect& rcAvailable);

// Moves a window that is not on screen yet beside its owner on the owner's
// screen; its frame is taken to be as thick as the owner's.
void MoveBeside(QWidget& window, const QWidget& owner);
