// The damage computation of CWeapon. Every product and sum is written in the
// exact order and grouping the game uses: the truncation of each hit and the
// result-kind comparisons depend on the last bits of the doubles, so none of
// these expressions may be regrouped (and FP contraction is off project-wide).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "model/Action.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "model/ModifierTable.h"
#include "model/Monster.h"
#include "model/Weapon.h"

namespace {

struct SharpnessRate_t {
  double dPhys;
  double dElement;
};

constexpr std::array<SharpnessRate_t, 6> kSharpnessRates{{
    {0.5, 0.25},     // red
    {0.75, 0.5},     // orange
    {1.0, 0.75},     // yellow
    {1.125, 1.0},    // green
    {1.25, 1.0625},  // blue
    {1.3, 1.125},    // white
}};

// The effect of each modifier mask bit, from the modifier table; no effect
// for a bit of no modifier.
constexpr auto kEffectOfBit = [] {
  std::array<ModifierEffect_t, 32> arrEffect{};
  for (const ModifierInfo_t& info : kModifierTable) {
    arrEffect[static_cast<size_t>(info.nBit)] = info.effect;
  }
  return arrEffect;
}();

constexpr int32_t kMaxDamage = std::numeric_limits<int32_t>::max();

constexpr double kMaxDamageValue = kMaxDamage;

// A hit's total brought within what truncation can take: not above 0 (NaN
// included) gives 0, and from the largest 32-bit value up gives that value,
// so hits beyond the range count as the largest value instead of overflowing
// the conversion. Two selects, which a loop over many hits runs as vector
// instructions.
double ClampHit(double dTotal) {
  const double dPositive = dTotal > 0.0 ? dTotal : 0.0;
  return dPositive < kMaxDamageValue ? dPositive : kMaxDamageValue;
}

// A hit truncated toward zero.
int32_t TruncateHit(double dTotal) {
  return static_cast<int32_t>(ClampHit(dTotal));
}

// Adds a hit to a region's total, both at least 0, stopping at the largest
// 32-bit value; compared without a 64-bit sum, so that vector instructions of
// 32-bit lanes can run it.
int32_t AddHit(int32_t nDamage, int32_t nHit) {
  return nHit > kMaxDamage - nDamage ? kMaxDamage : nDamage + nHit;
}

// The effective physical rate of a hit; none when the raw value is 0.
std::optional<double> EffectiveRate(double dPhysical, double dRaw) {
  if (dRaw == 0.0) return std::nullopt;
  return (dPhysical / dRaw) * 100;
}

eRESULT_KIND KindOf(const std::optional<double>& dEffective) {
  if (!dEffective) return RESULT_LOW;
  if (*dEffective > 100) return RESULT_HIGH;
  if (*dEffective > 25) return RESULT_NORMAL;
  return RESULT_LOW;
}

// The kind of a region's row follows the whole combination of hits, not the
// last hit alone. Hits that all share one kind keep it, so a single motion (or
// motions of equal rates) keeps exactly the kind of its hits, with no rounding
// surprise at a threshold. Hits of different kinds take the kind of the
// combination's effective rate, (sum of physical damage / sum of raw values)
// * 100; the sums run in hit order. A region that no hit reached is normal.
class CRegionKind {
public:
  void AddHit(eRESULT_KIND eKind, double dPhysical, double dRaw) {
    if (m_nHits == 0) m_eFirst = eKind;
    if (eKind != m_eFirst) m_bMixed = true;
    m_dPhysicalSum = m_dPhysicalSum + dPhysical;
    m_dRawSum = m_dRawSum + dRaw;
    ++m_nHits;
  }

  eRESULT_KIND Kind() const {
    return m_bMixed ? KindOf(EffectiveRate(m_dPhysicalSum, m_dRawSum)) : m_eFirst;
  }

private:
  size_t m_nHits = 0;
  eRESULT_KIND m_eFirst = RESULT_NORMAL;
  bool m_bMixed = false;
  double m_dPhysicalSum = 0.0;
  double m_dRawSum = 0.0;
};

// What one hit's arithmetic takes from its region and motion: the motion
// value, the physical hitzone times the motion's rate (p * (m * 0.01)) and the
// element hitzone times the weapon's element ((element * 0.1) * x).
struct HitSite_t {
  double dMotion;
  double dPhysRate;
  double dElement;
};

// What it takes from the factors that vary between alternatives of a request.
struct HitScale_t {
  double dBase;
  double dHitFactor;
  double dSharpPhys;
  double dSharpElement;
};

// And what every alternative shares.
struct HitRates_t {
  double dLevelRate;
  double dElementCoef;
  bool bAnger;
  double dAngerRate;
};

struct HitValues_t {
  double dRaw;
  double dPhysical;
  double dElement;
  double dTotal;
  double dAngryTotal;
};

// The arithmetic of one hit, before truncation: the only place it is written.
inline HitValues_t HitValuesOf(const HitSite_t& site, const HitScale_t& scale,
                               const HitRates_t& rates) {
  HitValues_t v{};
  v.dRaw = (site.dMotion * scale.dBase) * 0.01;
  v.dPhysical = (((site.dPhysRate * v.dRaw) * scale.dHitFactor) * scale.dSharpPhys) * 0.01;
  v.dElement = ((site.dElement * scale.dSharpElement) * 0.01) * rates.dElementCoef;
  v.dTotal = (rates.dLevelRate * (v.dElement + v.dPhysical)) * 0.01;
  v.dAngryTotal = rates.bAnger ? (rates.dAngerRate * v.dTotal) * 0.01 : v.dTotal;
  return v;
}

HitScale_t ScaleOf(const DamageFactors_t& factors) {
  return {factors.dBase, factors.dHitFactor, factors.dSharpPhys, factors.dSharpElement};
}

HitRates_t RatesOf(const DamageFactors_t& factors, double dElementCoef) {
  return {static_cast<double>(factors.byLevelRate), dElementCoef, factors.bAnger,
          static_cast<double>(factors.byAngerRate)};
}

DamageFactors_t FormFactors(const DamageRequest_t& req, uint16_t wAttack, double dAttackCoef) {
  DamageFactors_t factors;
  factors.nSharpness = req.nSharpness;
  CWeapon::GetSharpnessRate(req.nSharpness, factors.dSharpPhys, factors.dSharpElement);
  factors.byHitRate =
      req.nSharpness < 3 ? req.pHitPattern->GetLowRate() : req.pHitPattern->GetHighRate();
  factors.dHitFactor = factors.byHitRate * 0.01;
  CWeapon::CalcModifier(req.nModifier, factors.byBonus, factors.dFactor);
  factors.dBase = ((wAttack / dAttackCoef) + factors.byBonus) * factors.dFactor;
  factors.byLevelRate = req.pLevel->GetRate();
  factors.bAnger = req.bAnger != 0;
  // (200 - anger) is taken as an unsigned byte, so anger above 200 wraps.
  factors.byAngerRate = static_cast<uint8_t>(200 - req.pMonster->GetAnger());
  return factors;
}

}  // namespace

bool CWeapon::GetSharpnessRate(int32_t nSharpness, double& dPhys, double& dElement) {
  if (nSharpness < SHARPNESS_MIN || nSharpness > SHARPNESS_MAX) return false;
  const auto& rate = kSharpnessRates[static_cast<size_t>(nSharpness)];
  dPhys = rate.dPhys;
  dElement = rate.dElement;
  return true;
}

void CWeapon::CalcModifier(uint32_t nModifier, uint8_t& byBonus, double& dFactor) {
  byBonus = 0;
  dFactor = 1.0;
  // Bonuses add modulo 256 in any order; factors multiply in ascending bit
  // order (a factor of 1.0 leaves the product's bits as they are).
  for (size_t bit = 0; bit < kEffectOfBit.size(); ++bit) {
    if (((nModifier >> bit) & 1U) == 0) continue;
    byBonus = static_cast<uint8_t>(byBonus + kEffectOfBit[bit].byBonus);
    dFactor *= kEffectOfBit[bit].dFactor;
  }
}

bool CWeapon::CalcDamage(const DamageRequest_t* pRequest,
                         std::vector<DamageResult_t>* pResults) const {
  return CalcDamage(pRequest, pResults, nullptr);
}

template <class OnHit>
void CWeapon::ForEachHit(const DamageRequest_t& req, int i, uint8_t& p, uint8_t& x,
                         OnHit onHit) const {
  const CMonster& monster = *req.pMonster;
  const std::vector<const CAction*>& arrAction = *req.pActions;
  monster.GetPhysHitzone(i, m_nDamageType, p);
  monster.GetElementHitzone(i, m_nElementMask, x);
  const int nPhysIndex = monster.GetPhysIndex(i, m_nDamageType);
  const double dElement = (m_wElement * 0.1) * x;
  for (size_t nAction = 0; nAction < arrAction.size(); ++nAction) {
    const CAction* pAction = arrAction[nAction];
    const uint8_t m = pAction->GetRate(nPhysIndex);
    const double dPhysRate = p * (m * 0.01);
    const std::vector<uint16_t>& arrMotion = pAction->GetMotions();
    for (size_t nHit = 0; nHit < arrMotion.size(); ++nHit) {
      const uint16_t mv = arrMotion[nHit];
      onHit(nAction, nHit, mv, m, HitSite_t{static_cast<double>(mv), dPhysRate, dElement});
    }
  }
}

// Every region's hits in the game's order. Without bRows the hits' kinds are
// not formed (nor a trace recorded): the damage is the same, computed by the
// same expressions, for callers that need the damage alone.
template <bool bRows, class OnRegion>
void CWeapon::RunRegions(const DamageRequest_t& req, DamageTrace_t* pTrace,
                         OnRegion onRegion) const {
  const DamageFactors_t factors = FormFactors(req, m_wAttack, m_dAttackCoef);
  if (pTrace) pTrace->factors = factors;
  const HitScale_t scale = ScaleOf(factors);
  const HitRates_t rates = RatesOf(factors, m_dElementCoef);

  const int n = req.pMonster->GetRegionCount();
  for (int i = 0; i < n; ++i) {
    int32_t d = 0;
    CRegionKind kind;
    uint8_t p = 0;
    uint8_t x = 0;
    ForEachHit(req, i, p, x,
               [&](size_t nAction, size_t nHit, uint16_t mv, uint8_t m, const HitSite_t& site) {
                 const HitValues_t v = HitValuesOf(site, scale, rates);
                 std::optional<double> e;
                 eRESULT_KIND k = RESULT_NORMAL;
                 if constexpr (bRows) {
                   e = EffectiveRate(v.dPhysical, v.dRaw);
                   k = KindOf(e);
                   kind.AddHit(k, v.dPhysical, v.dRaw);
                 }
                 const int32_t nTruncated = TruncateHit(v.dAngryTotal);
                 d = AddHit(d, nTruncated);
                 if (bRows && pTrace) {
                   pTrace->arrHit.push_back(HitTrace_t{.nRegion = i,
                                                       .pAction = (*req.pActions)[nAction],
                                                       .nAction = static_cast<int32_t>(nAction),
                                                       .nHit = static_cast<int32_t>(nHit),
                                                       .wMotionValue = mv,
                                                       .byMotionRate = m,
                                                       .dRaw = v.dRaw,
                                                       .dPhysical = v.dPhysical,
                                                       .dEffective = e,
                                                       .nKind = k,
                                                       .dElement = v.dElement,
                                                       .dTotal = v.dTotal,
                                                       .dAngryTotal = v.dAngryTotal,
                                                       .nTruncated = nTruncated,
                                                       .nRunning = d});
                 }
               });
    onRegion(i, d, p, x, kind.Kind());
  }
}

bool CWeapon::CalcDamage(const DamageRequest_t* pRequest, std::vector<DamageResult_t>* pResults,
                         DamageTrace_t* pTrace) const {
  const CMonster& monster = *pRequest->pMonster;
  RunRegions<true>(*pRequest, pTrace, [&](int i, int32_t d, uint8_t p, uint8_t x, eRESULT_KIND k) {
    pResults->push_back(DamageResult_t{monster.GetRegionName(i), d, p, x, k});
  });
  return true;
}

bool CWeapon::CalcRegionDamage(const DamageRequest_t* pRequest,
                               std::vector<int32_t>* pDamage) const {
  pDamage->clear();
  RunRegions<false>(*pRequest, nullptr,
                    [&](int, int32_t d, uint8_t, uint8_t, eRESULT_KIND) { pDamage->push_back(d); });
  return true;
}

bool CWeapon::CalcVariantDamage(const DamageRequest_t& req,
                                const std::vector<DamageVariant_t>& arrVariant,
                                std::vector<int32_t>& arrDamage) const {
  const size_t nVariants = arrVariant.size();
  // One contiguous array per factor that varies, so that the loop over the
  // variants below reads each factor of two variants at once.
  std::vector<double> arrBase(nVariants);
  std::vector<double> arrHitFactor(nVariants);
  std::vector<double> arrSharpPhys(nVariants);
  std::vector<double> arrSharpElement(nVariants);
  HitRates_t rates{};
  DamageRequest_t variant = req;
  for (size_t v = 0; v < nVariants; ++v) {
    variant.nSharpness = arrVariant[v].nSharpness;
    variant.nModifier = arrVariant[v].nModifier;
    const DamageFactors_t factors = FormFactors(variant, m_wAttack, m_dAttackCoef);
    const HitScale_t scale = ScaleOf(factors);
    arrBase[v] = scale.dBase;
    arrHitFactor[v] = scale.dHitFactor;
    arrSharpPhys[v] = scale.dSharpPhys;
    arrSharpElement[v] = scale.dSharpElement;
    rates = RatesOf(factors, m_dElementCoef);  // the same for every variant
  }
  const auto n = static_cast<size_t>(req.pMonster->GetRegionCount());
  arrDamage.assign(nVariants * n, 0);
  std::vector<int32_t> arrRegion(nVariants);
  std::vector<double> arrTotal(nVariants);
  std::vector<int32_t> arrHit(nVariants);
  for (size_t i = 0; i < n; ++i) {
    std::fill(arrRegion.begin(), arrRegion.end(), 0);
    uint8_t p = 0;
    uint8_t x = 0;
    ForEachHit(req, static_cast<int>(i), p, x,
               [&](size_t, size_t, uint16_t, uint8_t, const HitSite_t& site) {
                 // Three loops that each run as vector instructions: the
                 // arithmetic, the truncation, the sums.
                 for (size_t v = 0; v < nVariants; ++v) {
                   const HitScale_t scale{arrBase[v], arrHitFactor[v], arrSharpPhys[v],
                                          arrSharpElement[v]};
                   arrTotal[v] = ClampHit(HitValuesOf(site, scale, rates).dAngryTotal);
                 }
                 for (size_t v = 0; v < nVariants; ++v) {
                   arrHit[v] = static_cast<int32_t>(arrTotal[v]);
                 }
                 for (size_t v = 0; v < nVariants; ++v) {
                   arrRegion[v] = AddHit(arrRegion[v], arrHit[v]);
                 }
               });
    for (size_t v = 0; v < nVariants; ++v) arrDamage[v * n + i] = arrRegion[v];
  }
  return true;
}
