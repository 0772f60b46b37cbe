// The program's message boxes: modal over their window, with one object name
// ("velkarMessage") by which tests and the style find them.
#pragma once

#include <QMessageBox>

// Shows the text with this icon and caption over pParent and returns the
// button that closed it. A question offers OK and Cancel, Cancel first in line
// for Enter; anything else only OK.
QMessageBox::StandardButton ShowVelkarMessage(QWidget* pParent, QMessageBox::Icon eIcon,
                                              const QString& strCaption, const QString& strText);
