#include "setup/LoadoutLineup.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "calc/Calculator.h"
#include "calc/RowComparison.h"
#include "setup/Loadout.h"

bool CLoadoutLineup::Add(NamedLoadout_t loadout) {
  if (IsFull()) return false;
  m_arrLoadout.push_back(std::move(loadout));
  return true;
}

void CLoadoutLineup::Remove(size_t nIndex) {
  if (nIndex >= m_arrLoadout.size()) return;
  m_arrLoadout.erase(m_arrLoadout.begin() + static_cast<std::ptrdiff_t>(nIndex));
}

void CLoadoutLineup::MakeFirst(size_t nIndex) {
  if (nIndex >= m_arrLoadout.size()) return;
  NamedLoadout_t loadout = std::move(m_arrLoadout[nIndex]);
  m_arrLoadout.erase(m_arrLoadout.begin() + static_cast<std::ptrdiff_t>(nIndex));
  m_arrLoadout.insert(m_arrLoadout.begin(), std::move(loadout));
}

LoadoutComparison_t CLoadoutLineup::Compare(const CDataManager& store,
                                            const CCalculator& calculator) const {
  return CompareLoadouts(store, TargetOf(CaptureSetup(calculator)), m_arrLoadout);
}

std::vector<std::string> CLoadoutLineup::DifferencesToFirst(const CDataManager& store,
                                                            const CCalculator& calculator) const {
  const std::vector<ResultRow_t>& arrRow = calculator.GetResultRows();
  if (m_arrLoadout.empty() || arrRow.empty()) return {};
  // The rows on show are the calculator's own loadout on its target; the
  // first loadout is computed on that same target, so row i of both is the
  // same region of the same monster.
  const LoadoutComparison_t comparison =
      CompareLoadouts(store, TargetOf(CaptureSetup(calculator)), {m_arrLoadout.front()});
  std::vector<std::string> arrText;
  arrText.reserve(arrRow.size());
  for (size_t nRow = 0; nRow < arrRow.size(); ++nRow) {
    const std::optional<int64_t> nFirst =
        nRow < comparison.arrRegion.size() ? comparison.Damage(0, nRow) : std::nullopt;
    arrText.push_back(FormatDifference(
        nFirst ? std::optional<int64_t>(arrRow[nRow].nDamage - *nFirst) : std::nullopt));
  }
  return arrText;
}

bool CLoadoutLineup::HasBaselineFor(std::optional<int> nCategory, size_t nAtLeast) const {
  if (!nCategory || m_arrLoadout.empty() || m_arrLoadout.front().loadout.nCategory != nCategory) {
    return false;
  }
  const auto nSame = std::count_if(
      m_arrLoadout.begin(), m_arrLoadout.end(),
      [&nCategory](const NamedLoadout_t& named) { return named.loadout.nCategory == nCategory; });
  return static_cast<size_t>(nSame) >= nAtLeast;
}

std::string CLoadoutLineup::BaselineName() const {
  if (m_arrLoadout.empty()) return {};
  const NamedLoadout_t& first = m_arrLoadout.front();
  return first.loadout.strWeapon.value_or(first.strName);
}

NamedLoadout_t CurrentLoadout(const CCalculator& calculator, const std::string& strFallback) {
  const CWeapon* pWeapon = calculator.GetSelectedWeapon();
  return {pWeapon ? pWeapon->GetName() : strFallback, LoadoutOf(CaptureSetup(calculator))};
}
