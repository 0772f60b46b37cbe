#include "WindowMenu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <utility>

#include "SystemMenu.h"
#include "VelkarTexts.h"
#include "style/DialogUnits.h"
#include "text/SjisText.h"

CWindowMenu::CWindowMenu(QWidget& window, CommandFunction fnCommand)
    : m_window(window), m_fnCommand(std::move(fnCommand)) {
  m_pMenu = new QMenu(&m_window);
  m_pMenu->setObjectName(QStringLiteral("systemMenu"));
  for (const SystemMenuEntry_t& entry : GetSystemMenuEntries(txt::kAboutMenuEntry)) {
    if (entry.nCommand == kCommandSeparator) {
      m_pMenu->addSeparator();
      continue;
    }
    QAction* pAction = m_pMenu->addAction(FromSjis(entry.strText));
    pAction->setData(entry.nCommand);
    if (!entry.strShortcut.empty()) {
      // Also on the window itself, so the keys work while the menu is closed.
      pAction->setShortcut(QKeySequence(QString::fromLatin1(
          entry.strShortcut.data(), static_cast<qsizetype>(entry.strShortcut.size()))));
      m_window.addAction(pAction);
    }
    QObject::connect(pAction, &QAction::triggered, m_pMenu,
                     [this, nCommand = entry.nCommand] { m_fnCommand(nCommand); });
  }
  CreateButton();
  for (const QKeySequence& keys :
       {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::ALT | Qt::Key_Space)}) {
    auto* pShortcut = new QShortcut(keys, &m_window);
    QObject::connect(pShortcut, &QShortcut::activated, m_pMenu,
                     [this] { Open(m_window.mapToGlobal(QPoint(0, 0))); });
  }
}

void CWindowMenu::CreateButton() {
  // In free space of the template, last in the tab order: it moves and
  // covers none of the template's controls.
  auto* pButton = new QPushButton(FromSjis(txt::kMenuButtonCaption), &m_window);
  pButton->setObjectName(QStringLiteral("menuButton"));
  pButton->setAccessibleName(FromSjis(txt::kMenuButtonName));
  pButton->setToolTip(FromSjis(txt::kMenuButtonTip));
  pButton->setAutoDefault(false);
  pButton->setGeometry(
      DialogUnitsToPixels(kMenuButtonRectDu, MeasureDialogBaseUnits(m_window.font())));
  QObject::connect(pButton, &QPushButton::clicked, m_pMenu,
                   [this, pButton] { Open(pButton->mapToGlobal(QPoint(0, pButton->height()))); });
}

void CWindowMenu::Open(const QPoint& ptGlobal) {
  m_pMenu->exec(ptGlobal);
}

bool CWindowMenu::IsBackground(const QWidget* pChild) const {
  // The window itself, its static texts and the group frame are background;
  // anything that can take the focus (or lies inside such a control) is not.
  for (const QWidget* pWidget = pChild; pWidget != nullptr && pWidget != &m_window;
       pWidget = pWidget->parentWidget()) {
    if (pWidget->focusPolicy() != Qt::NoFocus) return false;
  }
  return true;
}

bool CWindowMenu::HandleContextMenu(const QContextMenuEvent& event) {
  const bool bMouse = event.reason() == QContextMenuEvent::Mouse;
  if (bMouse && !IsBackground(m_window.childAt(event.pos()))) return false;
  Open(bMouse ? event.globalPos() : m_window.mapToGlobal(QPoint(0, 0)));
  return true;
}

void CWindowMenu::SetEntryText(int nCommand, const QString& strText) {
  for (QAction* pAction : m_pMenu->actions()) {
    if (pAction->data().toInt() == nCommand) pAction->setText(strText);
  }
}
