// CSetupCommands: what the main window does with its setup as a whole:
// undo and redo over every setup it has shown (CSetupHistory), copying the
// setup as a build code, opening a code from the clipboard, and applying a
// saved build or a code's build through the calculator's own operations
// (RestoreSetup), saying afterwards what the data lacked.
//
// It knows the window only through CSetupWindow_t: the calculator, the
// refresh of every control, the button that shows the short note after a
// copy, and the parent of its messages.
#pragma once

#include <QString>
#include <functional>

#include "setup/BuildCode.h"
#include "setup/SetupHistory.h"

class CCalculator;
class QWidget;

struct SetupWindow_t {
  CCalculator* pCalculator = nullptr;
  // Shows the calculator's state in every control.
  std::function<void()> fnShow;
  QWidget* pNoteButton = nullptr;  // the copy's short note shows here
  QWidget* pWindow = nullptr;      // parent of the messages
};

class CSetupCommands {
public:
  explicit CSetupCommands(SetupWindow_t window);

  // After the window has shown the calculator: a changed setup is a step.
  void Shown();
  // Forgets the steps (the setup on show becomes the first).
  void ResetHistory();
  bool Undo();
  bool Redo();

  // Runs the setup's operations on the calculator and shows the result;
  // when the data lacks names, or the setup came from other data, says so.
  void Open(const Setup_t& setup, bool bOtherData = false);
  void CopyCode();
  // Opens the first build of the code on the clipboard, or says why not.
  void OpenCodeFromClipboard();

private:
  Setup_t Restore(const Setup_t& setup);
  void Tell(const QString& strText, bool bProblem);

  SetupWindow_t m_window;
  CSetupHistory m_history;
};
