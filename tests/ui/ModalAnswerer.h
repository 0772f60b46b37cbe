// Answers the modal windows and pop-up menus that open during a test, so
// that no test ever hangs in a nested event loop: every message box gets its
// OK, the About box its OK button, a menu is closed. What was answered is
// recorded for the test to check; a test that expects nothing checks that
// the record stays empty.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include "AboutDlg.h"

struct AnsweredWindow_t {
  QString strKind;  // "message", "about" or "menu"
  QString strTitle;
  QString strText;  // message text; the About box's two lines; the menu's entries
};

class CModalAnswerer : public QObject {
  Q_OBJECT

public:
  CModalAnswerer() {
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &CModalAnswerer::Answer);
    m_timer.start();
  }

  // What has been answered since the last call.
  QList<AnsweredWindow_t> Take() { return std::exchange(m_arrAnswered, {}); }

private:
  void Answer() {
    if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      QStringList arrEntry;
      for (const QAction* pAction : pMenu->actions()) {
        arrEntry.append(pAction->isSeparator() ? QStringLiteral("-") : pAction->text());
      }
      m_arrAnswered.append({QStringLiteral("menu"), pMenu->objectName(), arrEntry.join('|')});
      pMenu->close();
      return;
    }
    QWidget* pModal = QApplication::activeModalWidget();
    if (auto* pBox = qobject_cast<QMessageBox*>(pModal)) {
      m_arrAnswered.append({QStringLiteral("message"), pBox->windowTitle(), pBox->text()});
      pBox->button(QMessageBox::Ok)->click();
    } else if (auto* pAbout = qobject_cast<CAboutDlg*>(pModal)) {
      const auto* pVersion = pAbout->findChild<QLabel*>(QStringLiteral("aboutVersion"));
      const auto* pLine = pAbout->findChild<QLabel*>(QStringLiteral("aboutSecondLine"));
      const auto* pIcon = pAbout->findChild<QLabel*>(QStringLiteral("aboutIcon"));
      const bool bIcon = pIcon != nullptr && !pIcon->pixmap().isNull();
      m_arrAnswered.append({QStringLiteral("about"), pAbout->windowTitle(),
                            (pVersion ? pVersion->text() : QString()) + '|' +
                                (pLine ? pLine->text() : QString()) +
                                (bIcon ? QStringLiteral("|icon") : QString())});
      pAbout->findChild<QPushButton*>(QStringLiteral("ctl1"))->click();
    }
  }

  QTimer m_timer;
  QList<AnsweredWindow_t> m_arrAnswered;
};
