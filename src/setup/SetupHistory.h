// CSetupHistory: undo and redo over whole setups. A face tells it the setup
// it shows after every change (Shown); each setup that differs from the one
// before is a step. Undoing hands the previous setup to a restore function
// (which restores it through RestoreSetup, as a build load does, shows it and
// answers the setup then on show) and keeps the replaced one for a redo. A
// new change drops the redo steps; the oldest step goes when more than the
// limit are kept.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>

#include "setup/Setup.h"

class CSetupHistory {
public:
  static constexpr size_t kDefaultLimit = 100;
  using RestoreFunction = std::function<Setup_t(const Setup_t&)>;

  explicit CSetupHistory(size_t nLimit = kDefaultLimit) : m_nLimit(nLimit) {}

  // Forgets every step; shown is the setup on show now.
  void Reset(const Setup_t& shown);
  // The setup on show after a change; ignored while a step is restored.
  void Shown(const Setup_t& shown);
  // False when there is no step to go back or forward to.
  bool Undo(const RestoreFunction& fnRestore);
  bool Redo(const RestoreFunction& fnRestore);

  bool CanUndo() const { return !m_arrUndo.empty(); }
  bool CanRedo() const { return !m_arrRedo.empty(); }

private:
  bool Step(std::deque<Setup_t>& arrFrom, std::deque<Setup_t>& arrTo,
            const RestoreFunction& fnRestore);

  size_t m_nLimit;
  Setup_t m_shown;
  bool m_bRestoring = false;
  std::deque<Setup_t> m_arrUndo;  // newest at the back
  std::deque<Setup_t> m_arrRedo;
};
