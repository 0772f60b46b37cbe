#include "SetupCommands.h"

#include <utility>
#include "dialogs/VelkarMessage.h"
#include "text/ClipboardCode.h"

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "setup/SetupMissText.h"
#include "setup/SetupRestore.h"
#include "text/SjisText.h"
#include "widgets/ButtonNote.h"

CSetupCommands::CSetupCommands(SetupWindow_t window) : m_window(std::move(window)) {
  ResetHistory();
}

void CSetupCommands::Shown() {
  m_history.Shown(CaptureSetup(*m_window.pCalculator));
}

void CSetupCommands::ResetHistory() {
  m_history.Reset(CaptureSetup(*m_window.pCalculator));
}

bool CSetupCommands::Undo() {
  return m_history.Undo([this](const Setup_t& setup) { return Restore(setup); });
}

bool CSetupCommands::Redo() {
  return m_history.Redo([this](const Setup_t& setup) { return Restore(setup); });
}

Setup_t CSetupCommands::Restore(const Setup_t& setup) {
  RestoreSetup(*m_window.pCalculator, setup);
  m_window.fnShow();
  return CaptureSetup(*m_window.pCalculator);
}

void CSetupCommands::Open(const Setup_t& setup, bool bOtherData) {
  const std::vector<RestoreMiss_t> arrMiss = RestoreSetup(*m_window.pCalculator, setup);
  m_window.fnShow();
  const QString strText = FromSjis(DescribeRestoreMissesInJapanese(arrMiss, bOtherData));
  if (!strText.isEmpty()) Tell(strText, !arrMiss.empty());
}

void CSetupCommands::CopyCode() {
  BuildCode_t code;
  code.nFingerprint = m_window.pCalculator->GetStore().GetDataFingerprint();
  code.arrBuild.push_back(CurrentBuild(*m_window.pCalculator));
  const QString strRefusal = CopyBuildCode(code);
  ShowButtonNote(*m_window.pNoteButton,
                 strRefusal.isEmpty() ? FromSjis(txt::kReportCopied) : strRefusal);
}

void CSetupCommands::OpenCodeFromClipboard() {
  QString strRefusal;
  const std::optional<BuildCode_t> code = PasteBuildCode(strRefusal);
  if (!code) {
    Tell(strRefusal, true);
    return;
  }
  const Build_t& first = code->arrBuild.front();
  if (code->arrBuild.size() > 1) {
    Tell(FromSjis(txt::kCodeMoreBuilds)
             .arg(static_cast<qulonglong>(code->arrBuild.size()))
             .arg(FromSjis(first.strName)),
         false);
  }
  Open(first.setup, code->nFingerprint != m_window.pCalculator->GetStore().GetDataFingerprint());
}

void CSetupCommands::Tell(const QString& strText, bool bProblem) {
  ShowVelkarMessage(m_window.pWindow, bProblem ? QMessageBox::Warning : QMessageBox::Information,
                    FromSjis(txt::kWindowCaption), strText);
}
