// CBuildsDlg: the non-modal builds window (system menu, Ctrl+B). It lists the
// builds of CSetupStore and saves the main window's setup under a name, loads
// a build into the main window, renames and deletes builds, copies the
// selected builds as one build code and saves the builds of a code on the
// clipboard in one change (a name already taken gets a free one, and the
// core's summary tells the player). It knows the main
// window only through two functions: one that captures its setup and one that
// applies a setup to it. The list is read from the file again whenever the
// window is shown and after each change, so builds saved meanwhile by
// velkar-tool appear too. Every action acts on exactly the entry chosen, also
// among builds of one name (which the list marks), and is refused when the
// file changed that entry meanwhile. A note under the list says why the list
// is empty when the file cannot be used, and what a loaded build named that
// the data no longer holds.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "setup/Setup.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class CBuildsDlg : public QDialog {
  Q_OBJECT

public:
  using CaptureFunction = std::function<Setup_t()>;
  // Applies a setup to the main window; what it could not restore.
  using ApplyFunction = std::function<std::vector<RestoreMiss_t>(const Setup_t&)>;
  // The fingerprint of the data on show, which codes carry.
  using FingerprintFunction = std::function<uint32_t()>;

  CBuildsDlg(CaptureFunction capture, ApplyFunction apply, FingerprintFunction fingerprint,
             QWidget* pParent = nullptr);
  ~CBuildsDlg() override;

  // Reads the builds again and shows them, keeping the selected build.
  void Refresh();

protected:
  void showEvent(QShowEvent* pEvent) override;

private:
  void SaveCurrent();
  void LoadSelected();
  void RenameSelected();
  void DeleteSelected();
  void CopyCode();
  void ImportCode();
  void SelectionChanged();

  // The name typed in, as Shift-JIS; none (after saying why) when it is
  // empty, holds a control character or a character code page 932 lacks.
  std::optional<std::string> EnteredName();
  // The selected build, or none.
  std::optional<ListedBuild_t> Selected() const;
  // Selects the first listed build that matches, if any.
  void SelectWhere(const std::function<bool(const ListedBuild_t&)>& matches);
  // Says what went wrong; true when the change was made.
  bool Report(eSTORE_RESULT eResult, const CSetupStore& store, const std::string& strName);
  bool Ask(const QString& strQuestion);
  void Tell(const QString& strText);
  void ShowNote(const QString& strText);

  CaptureFunction m_capture;
  ApplyFunction m_apply;
  FingerprintFunction m_fingerprint;
  std::vector<ListedBuild_t> m_arrBuild;
  QLabel* m_pNote = nullptr;
  QListWidget* m_pList = nullptr;
  QLineEdit* m_pName = nullptr;
  QPushButton* m_pLoad = nullptr;
  QPushButton* m_pRename = nullptr;
  QPushButton* m_pDelete = nullptr;
  QPushButton* m_pCopyCode = nullptr;
};
