#include "widgets/ButtonNote.h"

#include <QToolTip>
#include <QWidget>

void ShowButtonNote(QWidget& button, const QString& strText) {
  // Just below the button's right edge, so that the pointer on the button does
  // not hide the note; where the screen ends, the note ends at that edge.
  QToolTip::showText(button.mapToGlobal(QPoint(button.width(), button.height())), strText, &button,
                     QRect(), kButtonNoteMs);
}
