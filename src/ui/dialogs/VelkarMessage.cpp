#include "dialogs/VelkarMessage.h"

QMessageBox::StandardButton ShowVelkarMessage(QWidget* pParent, QMessageBox::Icon eIcon,
                                              const QString& strCaption, const QString& strText) {
  const bool bQuestion = eIcon == QMessageBox::Question;
  QMessageBox box(eIcon, strCaption, strText,
                  bQuestion ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, pParent);
  box.setObjectName(QStringLiteral("velkarMessage"));
  if (bQuestion) box.setDefaultButton(QMessageBox::Cancel);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}
