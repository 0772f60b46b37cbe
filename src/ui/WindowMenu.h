// CWindowMenu: the main window's system menu as the player reaches it: the
// entries of GetSystemMenuEntries with their command values and shortcuts
// (also active while the menu is closed), the "≡" button in free space of the
// template, Shift+F10 and Alt+Space, and a right click on the window's
// background. Each chosen entry runs the window's command function.
#pragma once

#include <QPoint>
#include <QString>
#include <functional>

class QContextMenuEvent;
class QMenu;
class QWidget;

class CWindowMenu {
public:
  using CommandFunction = std::function<void(int nCommand)>;

  CWindowMenu(QWidget& window, CommandFunction fnCommand);

  QMenu* GetMenu() const { return m_pMenu; }
  void Open(const QPoint& ptGlobal);
  // A context menu request of the window: opens the menu unless the click
  // fell on a control that has a use for it; false then (the event is the
  // control's).
  bool HandleContextMenu(const QContextMenuEvent& event);
  void SetEntryText(int nCommand, const QString& strText);

private:
  void CreateButton();
  bool IsBackground(const QWidget* pChild) const;

  QWidget& m_window;
  CommandFunction m_fnCommand;
  QMenu* m_pMenu = nullptr;  // owned by the window
};
