// Where a minimised window draws its icon: centred in its client area; when
// the two sizes differ by an odd number of pixels, the spare pixel goes to the
// left (or top) margin.
#pragma once

#include <QPoint>
#include <QSize>

// ((client - icon + 1) / 2) across and down, each division truncating toward
// zero, so an icon larger than the client area starts left of or above it.
QPoint MinimisedIconOrigin(const QSize& client, const QSize& icon);
