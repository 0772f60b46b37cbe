// The window's pictures, built into the program from src/ui/res/: icon 103
// (the application icon, 32 x 32 and 16 x 16) and bitmap 104 (the report
// button's picture, 15 x 13).
#pragma once

#include <QIcon>
#include <QPixmap>

QIcon LoadApplicationIcon();

// Bitmap 104 with its silver background made transparent, so that it sits
// on the button face of any style.
QPixmap LoadReportBitmap();
