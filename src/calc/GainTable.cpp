#include "calc/GainTable.h"

#include <algorithm>

#include "calc/Calculator.h"
#include "model/ModifierTable.h"

namespace {

// Runs the weapon on the request and stores the change against the damage now.
class CGainRunner {
public:
  CGainRunner(const RowCalculation_t& calculation, const std::vector<int32_t>& arrDamage)
      : m_calculation(calculation), m_arrDamage(arrDamage) {}

  void Measure(const DamageRequest_t& request, Gain_t& gain) {
    m_arrScratch.clear();
    m_calculation.pWeapon->CalcDamage(&request, &m_arrScratch);
    gain.arrDamage.resize(m_arrDamage.size());
    for (size_t i = 0; i < m_arrDamage.size() && i < m_arrScratch.size(); ++i) {
      gain.arrDamage[i] = int64_t{m_arrScratch[i].nDamage} - m_arrDamage[i];
      gain.nTotal += gain.arrDamage[i];
    }
  }

  // Modifier words that differ only in which box gives the same bonus and
  // factor (鬼神笛 and 練気MAX both add 10) give the same base attack, so the
  // same damage: each bonus and factor is computed once.
  void MeasureModifiers(const DamageRequest_t& request, Gain_t& gain) {
    AttackKey_t key;
    CWeapon::CalcModifier(request.nModifier, key.byBonus, key.dFactor);
    for (const auto& [known, knownGain] : m_arrKnown) {
      if (known.byBonus == key.byBonus && known.dFactor == key.dFactor) {
        gain.arrDamage = knownGain.arrDamage;
        gain.nTotal = knownGain.nTotal;
        return;
      }
    }
    Measure(request, gain);
    m_arrKnown.emplace_back(key, gain);
  }

  // Ticking or unticking the box, with the group rule of the calculator.
  Gain_t Modifier(const ModifierInfo_t& info, bool bEnabled) {
    Gain_t gain;
    gain.nControlId = info.nControlId;
    gain.bEnabled = bEnabled;
    DamageRequest_t request = m_calculation.request;
    gain.bTick = (request.nModifier & info.GetMask()) == 0;
    if (gain.bTick) {
      for (const int nMember : ModifierGroupMembers(info)) {
        const uint32_t nMask = FindModifier(nMember)->GetMask();
        if ((request.nModifier & nMask) != 0) gain.nReplaced = nMember;
        request.nModifier &= ~nMask;
      }
    }
    request.nModifier ^= info.GetMask();
    if (bEnabled) {
      MeasureModifiers(request, gain);
    } else {
      gain.arrDamage.assign(m_arrDamage.size(), 0);  // a box that cannot be clicked adds nothing
    }
    return gain;
  }

  Gain_t Sharpness(int nSharpness) {
    Gain_t gain;
    gain.eKind = eGAIN_KIND::Sharpness;
    gain.nSharpness = nSharpness;
    DamageRequest_t request = m_calculation.request;
    request.nSharpness = nSharpness;
    Measure(request, gain);
    return gain;
  }

private:
  struct AttackKey_t {
    uint8_t byBonus = 0;
    double dFactor = 1.0;
  };

  const RowCalculation_t& m_calculation;
  const std::vector<int32_t>& m_arrDamage;
  std::vector<DamageResult_t> m_arrScratch;
  std::vector<std::pair<AttackKey_t, Gain_t>> m_arrKnown;  // of the modifier words measured
};

void SortGains(GainTable_t& table) {
  const std::optional<size_t> nRegion = table.nSortRegion;
  std::stable_sort(table.arrGain.begin(), table.arrGain.end(),
                   [nRegion](const Gain_t& a, const Gain_t& b) {
                     if (a.bEnabled != b.bEnabled) return a.bEnabled;
                     if (nRegion && a.arrDamage[*nRegion] != b.arrDamage[*nRegion]) {
                       return a.arrDamage[*nRegion] > b.arrDamage[*nRegion];
                     }
                     return a.nTotal > b.nTotal;
                   });
}

}  // namespace

std::optional<GainTable_t> ComputeGains(const CCalculator& calculator,
                                        std::optional<size_t> nSortRegion) {
  const std::optional<RowCalculation_t> calculation = calculator.GetRowCalculation();
  if (!calculation) return std::nullopt;
  GainTable_t table;
  table.strWeapon = calculation->pWeapon->GetName();
  table.strMonster = calculation->request.pMonster->GetName();
  for (const ResultRow_t& row : calculator.GetResultRows()) {
    table.arrRegion.push_back(row.arrCell[0]);
    table.arrDamage.push_back(row.nDamage);
    table.nTotal += row.nDamage;
  }
  if (nSortRegion && *nSortRegion < table.arrRegion.size()) table.nSortRegion = nSortRegion;

  CGainRunner runner(*calculation, table.arrDamage);
  table.arrGain.reserve(kModifierCount + SHARPNESS_MAX - SHARPNESS_MIN);
  for (const ModifierInfo_t& info : kModifierTable) {
    table.arrGain.push_back(runner.Modifier(info, calculator.IsModifierEnabled(info.nControlId)));
  }
  for (int nSharpness = SHARPNESS_MIN; nSharpness <= SHARPNESS_MAX; ++nSharpness) {
    if (nSharpness != calculation->request.nSharpness) {
      table.arrGain.push_back(runner.Sharpness(nSharpness));
    }
  }
  SortGains(table);
  return table;
}
