// Speed of CalcDamage on a typical request: a monster of 12 body regions and a
// list of 10 motions of 3 hits each, so 360 hits per call. The "per_hit" counter
// is the time of one hit, the figure to compare with the 10 ns target.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/DamageTypes.h"
#include "model/Action.h"
#include "model/CategoryTable.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "model/Monster.h"

namespace {

constexpr int kRegionCount = 12;
constexpr int kMotionCount = 10;
constexpr int kHitsPerMotion = 3;
constexpr int64_t kHitsPerCall = int64_t{kRegionCount} * kMotionCount * kHitsPerMotion;

// Records and request of one calculation, built the way the loaders and the
// calculator build them.
class CTypicalRequest {
public:
  explicit CTypicalRequest(eWEAPON_CATEGORY eCategory)
      : m_pWeapon(CreateWeapon(eCategory)),
        m_monster("monster", 100, 90, 110),
        m_pattern("pattern", 80, 100),
        m_level("level", 90) {
    m_pWeapon->SetStatus("weapon", 960, 300, 1 << ELEMENT_FIRE, 4);
    for (int i = 0; i < kRegionCount; ++i) {
      const auto byCut = static_cast<uint8_t>(20 + 5 * i);
      const auto byImpact = static_cast<uint8_t>(75 - 4 * i);
      const auto byFire = static_cast<uint8_t>(5 + 2 * i);
      const std::array<uint8_t, 9> byElement{0, byFire, 10, 15, 20, 25, 0, 0, 0};
      m_monster.AddRegion("region" + std::to_string(i), {byCut, byImpact, 0}, byElement);
    }
    for (int i = 0; i < kMotionCount; ++i) {
      auto pAction = std::make_unique<CAction>("motion" + std::to_string(i));
      pAction->SetRate(100, static_cast<uint8_t>(60 + 4 * i));
      for (int j = 0; j < kHitsPerMotion; ++j)
        pAction->AddMotion(static_cast<uint16_t>(15 + 7 * i + 3 * j));
      m_arrActions.push_back(pAction.get());
      m_arrOwned.push_back(std::move(pAction));
    }
    m_request.nSharpness = 4;
    m_request.bAnger = 1;
    m_request.nModifier = (1U << 1) | (1U << 2) | (1U << 23);
    m_request.pMonster = &m_monster;
    m_request.pActions = &m_arrActions;
    m_request.pHitPattern = &m_pattern;
    m_request.pLevel = &m_level;
  }

  const CWeapon& Weapon() const { return *m_pWeapon; }
  const DamageRequest_t& Request() const { return m_request; }

private:
  std::unique_ptr<CWeapon> m_pWeapon;
  CMonster m_monster;
  CHitPattern m_pattern;
  CLevel m_level;
  std::vector<std::unique_ptr<CAction>> m_arrOwned;
  std::vector<const CAction*> m_arrActions;
  DamageRequest_t m_request;
};

// Each call gets a fresh row array, as every recalculation does.
void CalcDamage(benchmark::State& state, eWEAPON_CATEGORY eCategory) {
  const CTypicalRequest typical(eCategory);
  for (auto _ : state) {
    std::vector<DamageResult_t> arrRows;
    typical.Weapon().CalcDamage(&typical.Request(), &arrRows);
    benchmark::DoNotOptimize(arrRows.data());
    benchmark::ClobberMemory();
  }
  const auto nHits = static_cast<double>(state.iterations() * kHitsPerCall);
  state.SetItemsProcessed(state.iterations() * kHitsPerCall);
  state.counters["per_hit"] =
      benchmark::Counter(nHits, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The same request recording every hit, as an explanation does; not on the
// path of a recalculation, measured to show what a breakdown costs.
void CalcDamageTraced(benchmark::State& state, eWEAPON_CATEGORY eCategory) {
  const CTypicalRequest typical(eCategory);
  for (auto _ : state) {
    std::vector<DamageResult_t> arrRows;
    DamageTrace_t trace;
    typical.Weapon().CalcDamage(&typical.Request(), &arrRows, &trace);
    benchmark::DoNotOptimize(trace.arrHit.data());
    benchmark::ClobberMemory();
  }
  const auto nHits = static_cast<double>(state.iterations() * kHitsPerCall);
  state.counters["per_hit"] =
      benchmark::Counter(nHits, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The damage alone into one reused array, as comparisons, rankings and gains
// evaluate loadouts.
void CalcRegionDamage(benchmark::State& state, eWEAPON_CATEGORY eCategory) {
  const CTypicalRequest typical(eCategory);
  std::vector<int32_t> arrDamage;
  for (auto _ : state) {
    typical.Weapon().CalcRegionDamage(&typical.Request(), &arrDamage);
    benchmark::DoNotOptimize(arrDamage.data());
    benchmark::ClobberMemory();
  }
  const auto nHits = static_cast<double>(state.iterations() * kHitsPerCall);
  state.counters["per_hit"] =
      benchmark::Counter(nHits, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(CalcDamage, GreatSword, CATEGORY_GREATSWORD);
BENCHMARK_CAPTURE(CalcDamage, Lance, CATEGORY_LANCE);
BENCHMARK_CAPTURE(CalcDamageTraced, GreatSword, CATEGORY_GREATSWORD);
BENCHMARK_CAPTURE(CalcRegionDamage, GreatSword, CATEGORY_GREATSWORD);

}  // namespace
