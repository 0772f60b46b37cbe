// CBaselinePin: the loadout lineup that the main window shares with its
// comparison window (CComparisonDlg), and the baseline that the result list
// measures its rows against: the lineup's first loadout, computed on the
// window's own target. Pinning (Ctrl+P) puts the loadout on show first in
// the lineup; unpinning takes the pinned loadout away, so that the next one,
// if any, becomes the comparison's first. The baseline column exists while
// the first loadout is of the category on show and either it was pinned or
// the comparison is open with another loadout of that category beside it.
#pragma once

#include "setup/LoadoutLineup.h"

class CCalculator;
class CResultRows;

class CBaselinePin {
public:
  explicit CBaselinePin(CResultRows& rows) : m_rows(rows) {}

  CLoadoutLineup& GetLineup() { return m_lineup; }
  bool IsPinned() const { return m_bPinned; }
  // Pins the loadout on show, when it has rows, or unpins the pinned one.
  void Toggle(const CCalculator& calculator);
  // Shows the baseline column for the calculation on show, or removes it.
  // Without a calculation (null) the column stays as it was, without
  // numbers.
  void Show(const CCalculator* pCalculation, bool bComparing);

private:
  bool ShowsBaseline(const CCalculator& calculator, bool bComparing) const;

  CResultRows& m_rows;
  CLoadoutLineup m_lineup;  // the baseline is its first loadout
  bool m_bPinned = false;   // the first loadout was pinned with Ctrl+P
};
