// The two owner-drawn lists choose their text colours (black, red, blue and
// the element colours) for a white base. UseLightBase gives such a list that
// base over its whole area, rows and empty space alike, whatever palette the
// desktop uses; the selection keeps the desktop's highlight colours.
#pragma once

class QWidget;

void UseLightBase(QWidget& list);
