// The dotted focus rectangle of the owner-drawn lists: every other pixel of
// the rectangle's outline inverted, so it shows on any fill.
#pragma once

#include <QPainter>
#include <QRect>

void DrawFocusRect(QPainter& painter, const QRect& rc);
