#include "setup/SetupHistory.h"

#include <utility>

void CSetupHistory::Reset(const Setup_t& shown) {
  m_shown = shown;
  m_arrUndo.clear();
  m_arrRedo.clear();
}

void CSetupHistory::Shown(const Setup_t& shown) {
  if (m_bRestoring || shown == m_shown) return;
  m_arrUndo.push_back(std::exchange(m_shown, shown));
  if (m_arrUndo.size() > m_nLimit) m_arrUndo.pop_front();
  m_arrRedo.clear();
}

bool CSetupHistory::Undo(const RestoreFunction& fnRestore) {
  return Step(m_arrUndo, m_arrRedo, fnRestore);
}

bool CSetupHistory::Redo(const RestoreFunction& fnRestore) {
  return Step(m_arrRedo, m_arrUndo, fnRestore);
}

bool CSetupHistory::Step(std::deque<Setup_t>& arrFrom, std::deque<Setup_t>& arrTo,
                         const RestoreFunction& fnRestore) {
  if (arrFrom.empty()) return false;
  Setup_t target = std::move(arrFrom.back());
  arrFrom.pop_back();
  arrTo.push_back(m_shown);
  // What the restore leaves on show is the step now: a name the data lost
  // on the way is not a change of the player's.
  m_bRestoring = true;
  m_shown = fnRestore(target);
  m_bRestoring = false;
  return true;
}
