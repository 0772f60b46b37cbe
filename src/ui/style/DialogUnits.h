// Dialog units to pixels, the way the Windows dialog manager lays out a
// template: the horizontal base unit is the average width of the letters A-Z
// and a-z in the dialog font, the vertical one the font's height; a
// horizontal dialog unit is a quarter of its base, a vertical one an eighth.
#pragma once

#include <QFont>
#include <QRect>

struct DialogBaseUnits_t {
  int nCx = 0;  // average letter width in pixels
  int nCy = 0;  // font height in pixels
};

// The base units of a font: the 52 letters' total width averaged and rounded
// to whole pixels as the dialog manager does, and the font's height.
DialogBaseUnits_t MeasureDialogBaseUnits(const QFont& font);

// Base units from the measured width of the 52 letters and the font height.
DialogBaseUnits_t DialogBaseUnitsFrom(int nLettersWidth, int nHeight);

// A rectangle in dialog units as pixels. Each of x, y, width and height is
// scaled on its own, rounded to the nearest pixel (halves away from zero).
QRect DialogUnitsToPixels(const QRect& rcUnits, const DialogBaseUnits_t& base);
