#include "calc/GainTable.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "calc/Calculator.h"
#include "calc/LoadoutEvaluation.h"
#include "model/ModifierTable.h"
#include "model/Weapon.h"

namespace {

bool IsTicked(ModifierTicks_t nTicks, int nControlId) {
  return ((nTicks >> (nControlId - kFirstModifierId)) & 1U) != 0;
}

// Gathers every change as a variant of the loadout's request, evaluates all
// of them in one pass over the hits, then stores each change against the
// damage now. Ticks that differ only in which box gives the same bonus and
// factor (鬼神笛 and 練気MAX both add 10) give the same base attack, so the
// same damage: each bonus and factor is one variant.
class CGainRunner {
public:
  CGainRunner(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
              const std::vector<int32_t>& arrDamage)
      : m_loadout(loadout), m_target(target), m_arrDamage(arrDamage) {}

  // Ticking or unticking the box, with the click rule of the calculator.
  void Modifier(const ModifierInfo_t& info, bool bEnabled) {
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
    // A box that cannot be clicked adds nothing.
    const std::optional<size_t> nVariant =
        bEnabled ? std::optional(ModifierVariant(ClickModifier(nTicks, info, gain.bTick)))
                 : std::nullopt;
    Add(std::move(gain), nVariant);
  }

  void Sharpness(int nSharpness) {
    Gain_t gain;
    gain.eKind = eGAIN_KIND::Sharpness;
    gain.nSharpness = nSharpness;
    m_arrVariant.push_back({nSharpness, ModifierMaskOf(m_loadout.nTicks)});
    Add(std::move(gain), m_arrVariant.size() - 1);
  }

  // Evaluates the variants and gives the gains in the order they were added.
  std::vector<Gain_t> Measure() {
    std::vector<int32_t> arrVariantDamage;
    EvaluateVariantDamage(m_loadout, m_target, m_arrVariant, arrVariantDamage);
    const size_t nRegions =
        m_arrVariant.empty() ? 0 : arrVariantDamage.size() / m_arrVariant.size();
    for (size_t g = 0; g < m_arrGain.size(); ++g) {
      Gain_t& gain = m_arrGain[g];
      gain.arrDamage.assign(m_arrDamage.size(), 0);
      if (!m_arrGainVariant[g]) continue;
      const int32_t* pDamage = arrVariantDamage.data() + *m_arrGainVariant[g] * nRegions;
      for (size_t i = 0; i < m_arrDamage.size() && i < nRegions; ++i) {
        gain.arrDamage[i] = int64_t{pDamage[i]} - m_arrDamage[i];
        gain.nTotal += gain.arrDamage[i];
      }
    }
    return std::move(m_arrGain);
  }

private:
  struct AttackKey_t {
    uint8_t byBonus = 0;
    double dFactor = 1.0;
  };

  void Add(Gain_t gain, std::optional<size_t> nVariant) {
    m_arrGain.push_back(std::move(gain));
    m_arrGainVariant.push_back(nVariant);
  }

  // The variant of the ticks, shared with earlier ticks of the same effect.
  size_t ModifierVariant(ModifierTicks_t nTicks) {
    const uint32_t nMask = ModifierMaskOf(nTicks);
    AttackKey_t key;
    CWeapon::CalcModifier(nMask, key.byBonus, key.dFactor);
    for (const auto& [known, nVariant] : m_arrKnown) {
      if (known.byBonus == key.byBonus && known.dFactor == key.dFactor) return nVariant;
    }
    m_arrVariant.push_back({m_loadout.nSharpness, nMask});
    m_arrKnown.emplace_back(key, m_arrVariant.size() - 1);
    return m_arrVariant.size() - 1;
  }

  const LoadoutRecords_t& m_loadout;
  const TargetRecords_t& m_target;
  const std::vector<int32_t>& m_arrDamage;
  std::vector<DamageVariant_t> m_arrVariant;
  std::vector<std::pair<AttackKey_t, size_t>> m_arrKnown;  // of the ticks' variants
  std::vector<Gain_t> m_arrGain;
  std::vector<std::optional<size_t>> m_arrGainVariant;  // none for a box that cannot be clicked
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
  for (const ModifierInfo_t& info : kModifierTable) {
    runner.Modifier(info, calculator.IsModifierEnabled(info.nControlId));
  }
  for (int nSharpness = SHARPNESS_MIN; nSharpness <= SHARPNESS_MAX; ++nSharpness) {
    if (nSharpness != loadout.nSharpness) runner.Sharpness(nSharpness);
  }
  table.arrGain = runner.Measure();
  SortGains(table);
  return table;
}
