#include "BaselinePin.h"

#include <string>
#include <vector>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "setup/Loadout.h"
#include "setup/LoadoutComparison.h"
#include "setup/SetupRestore.h"
#include "text/SjisText.h"
#include "widgets/ResultRows.h"

void CBaselinePin::Toggle(const CCalculator& calculator) {
  if (m_bPinned) {
    m_lineup.Remove(0);
    m_bPinned = false;
  } else if (m_rows.HasRows() && m_lineup.Add(CurrentLoadout(calculator, std::string()))) {
    m_lineup.MakeFirst(m_lineup.GetLoadouts().size() - 1);
    m_bPinned = true;
  }
}

bool CBaselinePin::ShowsBaseline(const CCalculator& calculator, bool bComparing) const {
  if (!m_bPinned && !bComparing) return false;
  return m_lineup.HasBaselineFor(LoadoutOf(CaptureSetup(calculator)).nCategory, m_bPinned ? 1 : 2);
}

void CBaselinePin::Show(const CCalculator* pCalculation, bool bComparing) {
  if (m_lineup.IsEmpty()) m_bPinned = false;
  const bool bShow =
      pCalculation == nullptr ? m_rows.IsBaselineShown() : ShowsBaseline(*pCalculation, bComparing);
  std::vector<std::string> arrDifference;
  if (bShow && pCalculation != nullptr)
    arrDifference = m_lineup.DifferencesToFirst(pCalculation->GetStore(), *pCalculation);
  // Named as the comparison names its first column: "A" and the weapon.
  const QString strCaption = FromSjis(txt::kDifferenceNamedCaption);
  m_rows.ShowBaseline(bShow, strCaption.arg(FromSjis(LoadoutHeading(0, m_lineup.BaselineName()))),
                      strCaption.arg(QChar(u'A')), arrDifference);
}
