#include "calc/GainTable.h"

#include <algorithm>

#include "calc/Calculator.h"
#include "calc/LoadoutEvaluation.h"
#include "model/ModifierTable.h"

namespace {

bool IsTicked(ModifierTicks_t nTicks, int nControlId) {
  return ((nTicks >> (nControlId - kFirstModifierId)) & 1U) != 0;
}

// Evaluates the rows' records with one change at a time and stores the change
// against the damage now. The records are copied once and each change is
// undone after its evaluation, so no evaluation allocates.
class CGainRunner {
public:
  CGainRunner(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
              const std::vector<int32_t>& arrDamage)
      : m_loadout(loadout), m_target(target), m_arrDamage(arrDamage) {}

  // Ticking or unticking the box, with the click rule of the calculator.
  Gain_t Modifier(const ModifierInfo_t& info, bool bEnabled) {
    Gain_t gain;
    gain.nControlId = info.nControlId;
    gain.bEnabled = bEnabled;
    const ModifierTicks_t nTicks = m_loadout.nTicks;
    gain.bTick = !IsTicked(nTicks, info.nControlId);
    if (gain.bTick && info.nGroup != 0) {
      for (const ModifierInfo_t& other : kModifierTable) {
        if (other.nGroup == info.nGroup && IsTicked(nTicks, other.nControlId)) {
          gain.nReplaced = other.nControlId;
        }
      }
    }
    if (bEnabled) {
      m_loadout.nTicks = ClickModifier(nTicks, info, gain.bTick);
      MeasureModifiers(gain);
      m_loadout.nTicks = nTicks;
    } else {
      gain.arrDamage.assign(m_arrDamage.size(), 0);  // a box that cannot be clicked adds nothing
    }
    return gain;
  }

  Gain_t Sharpness(int nSharpness) {
    Gain_t gain;
    gain.eKind = eGAIN_KIND::Sharpness;
    gain.nSharpness = nSharpness;
    const int nOwn = m_loadout.nSharpness;
    m_loadout.nSharpness = nSharpness;
    Measure(gain);
    m_loadout.nSharpness = nOwn;
    return gain;
  }

private:
  struct AttackKey_t {
    uint8_t byBonus = 0;
    double dFactor = 1.0;
  };

  void Measure(Gain_t& gain) {
    EvaluateDamage(m_loadout, m_target, m_arrScratch);
    gain.arrDamage.resize(m_arrDamage.size());
    for (size_t i = 0; i < m_arrDamage.size() && i < m_arrScratch.size(); ++i) {
      gain.arrDamage[i] = int64_t{m_arrScratch[i]} - m_arrDamage[i];
      gain.nTotal += gain.arrDamage[i];
    }
  }

  // Ticks that differ only in which box gives the same bonus and factor
  // (鬼神笛 and 練気MAX both add 10) give the same base attack, so the same
  // damage: each bonus and factor is evaluated once.
  void MeasureModifiers(Gain_t& gain) {
    AttackKey_t key;
    CWeapon::CalcModifier(ModifierMaskOf(m_loadout.nTicks), key.byBonus, key.dFactor);
    for (const auto& [known, knownGain] : m_arrKnown) {
      if (known.byBonus == key.byBonus && known.dFactor == key.dFactor) {
        gain.arrDamage = knownGain.arrDamage;
        gain.nTotal = knownGain.nTotal;
        return;
      }
    }
    Measure(gain);
    m_arrKnown.emplace_back(key, gain);
  }

  LoadoutRecords_t m_loadout;
  const TargetRecords_t& m_target;
  const std::vector<int32_t>& m_arrDamage;
  std::vector<int32_t> m_arrScratch;
  std::vector<std::pair<AttackKey_t, Gain_t>> m_arrKnown;  // of the ticks measured
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
  const LoadoutRecords_t& loadout = calculator.GetRowLoadout();
  const TargetRecords_t& target = calculator.GetRowTarget();
  if (!loadout.pWeapon) return std::nullopt;
  GainTable_t table;
  table.strWeapon = loadout.pWeapon->GetName();
  table.strMonster = target.pMonster->GetName();
  for (const ResultRow_t& row : calculator.GetResultRows()) {
    table.arrRegion.push_back(row.arrCell[0]);
    table.arrDamage.push_back(row.nDamage);
    table.nTotal += row.nDamage;
  }
  if (nSortRegion && *nSortRegion < table.arrRegion.size()) table.nSortRegion = nSortRegion;

  CGainRunner runner(loadout, target, table.arrDamage);
  table.arrGain.reserve(kModifierCount + SHARPNESS_MAX - SHARPNESS_MIN);
  for (const ModifierInfo_t& info : kModifierTable) {
    table.arrGain.push_back(runner.Modifier(info, calculator.IsModifierEnabled(info.nControlId)));
  }
  for (int nSharpness = SHARPNESS_MIN; nSharpness <= SHARPNESS_MAX; ++nSharpness) {
    if (nSharpness != loadout.nSharpness) {
      table.arrGain.push_back(runner.Sharpness(nSharpness));
    }
  }
  SortGains(table);
  return table;
}
