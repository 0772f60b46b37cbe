// Answers the modal windows and pop-up menus that open during a test, so
// that no test ever hangs in a nested event loop: a message box gets its OK,
// any other modal dialog is closed, a menu is closed. What was answered is
// recorded for the test to check.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

struct AnsweredWindow_t {
  QString strTitle;
  QString strText;  // a message's text; a menu's entries joined by '|'
  QMessageBox::Icon eIcon = QMessageBox::NoIcon;  // a message's
  QRect rect = {};                                // a message's place on the screen, frame included
};

class CModalAnswerer : public QObject {
  Q_OBJECT

public:
  CModalAnswerer() {
    connect(&m_timer, &QTimer::timeout, this, &CModalAnswerer::Answer);
    m_timer.start(10);
  }

  // What has been answered since the last call.
  QList<AnsweredWindow_t> Take() { return std::exchange(m_arrAnswered, {}); }

private:
  void Answer() {
    if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      QStringList arrEntry;
      for (const QAction* pAction : pMenu->actions())
        arrEntry.append(pAction->isSeparator() ? "-" : pAction->text());
      m_arrAnswered.append({pMenu->objectName(), arrEntry.join('|')});
      pMenu->close();
    } else if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      m_arrAnswered.append({pBox->windowTitle(), pBox->text(), pBox->icon(), pBox->geometry()});
      pBox->button(QMessageBox::Ok)->click();
    } else if (auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      m_arrAnswered.append({pDialog->windowTitle(), QString()});
      pDialog->reject();
    }
  }

  QTimer m_timer;
  QList<AnsweredWindow_t> m_arrAnswered;
};
