// CAboutDlg: the About box, opened from the system menu. It shows the icon,
// the version line and one more line; its OK button, Enter and Esc close it.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
  Q_OBJECT

public:
  explicit CAboutDlg(QWidget* pParent = nullptr);
  ~CAboutDlg() override;
};
