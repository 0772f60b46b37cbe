// The hit trace of CalcDamage: the factors and every hit's intermediate
// values, recorded by the very computation that sums the rows. A hand-checked
// case pins the values; a table of requests and a seeded sweep check that the
// traced and the untraced computation give the same rows and that every
// region's hits add up to its damage.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/DamageTypes.h"
#include "model/Action.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "model/Monster.h"
#include "model/WeaponClasses.h"
#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

constexpr int32_t kMaxDamage = std::numeric_limits<int32_t>::max();

constexpr uint32_t Bit(int nBit) {
  return 1U << nBit;
}

// Bitwise equality: the trace must hold the very doubles that were summed.
bool SameBits(double dA, double dB) {
  return std::memcmp(&dA, &dB, sizeof dA) == 0;
}

struct Motion_t {
  uint8_t byCutRate;
  uint8_t byImpactRate;
  std::vector<uint16_t> arrMotion;
};

struct Region_t {
  std::array<uint8_t, 3> byPhys;
  std::array<uint8_t, 9> byElement;
};

// One calculation's inputs; owns the records the request points at.
struct Setup_t {
  eWEAPON_CATEGORY eCategory = CATEGORY_GREATSWORD;
  uint16_t wAttack = 960;
  uint16_t wElement = 300;
  int32_t nElementMask = 1 << ELEMENT_FIRE;
  std::vector<Region_t> arrRegion{};
  uint8_t byAnger2 = 90;
  std::vector<Motion_t> arrMotion{};
  uint8_t byLowRate = 100;
  uint8_t byHighRate = 100;
  uint8_t byLevelRate = 100;
  int32_t nSharpness = 3;
  int32_t bAnger = 0;
  uint32_t nModifier = 0;
};

class CCalculation {
public:
  explicit CCalculation(const Setup_t& setup)
      : m_pWeapon(CreateWeapon(setup.eCategory)),
        m_monster("m", 0, setup.byAnger2, 0),
        m_pattern("h", setup.byLowRate, setup.byHighRate),
        m_level("l", setup.byLevelRate) {
    m_pWeapon->SetStatus("w", setup.wAttack, setup.wElement, setup.nElementMask, 3);
    for (size_t i = 0; i < setup.arrRegion.size(); ++i) {
      m_monster.AddRegion("r" + std::to_string(i), setup.arrRegion[i].byPhys,
                          setup.arrRegion[i].byElement);
    }
    for (const Motion_t& motion : setup.arrMotion) {
      m_arrOwned.push_back(std::make_unique<CAction>("a" + std::to_string(m_arrOwned.size())));
      m_arrOwned.back()->SetRate(motion.byCutRate, motion.byImpactRate);
      for (const uint16_t wMotion : motion.arrMotion) m_arrOwned.back()->AddMotion(wMotion);
      m_arrAction.push_back(m_arrOwned.back().get());
    }
    m_request.nSharpness = setup.nSharpness;
    m_request.bAnger = setup.bAnger;
    m_request.nModifier = setup.nModifier;
    m_request.pMonster = &m_monster;
    m_request.pActions = &m_arrAction;
    m_request.pHitPattern = &m_pattern;
    m_request.pLevel = &m_level;
  }

  std::vector<DamageResult_t> Rows() const {
    std::vector<DamageResult_t> arrRow;
    EXPECT_TRUE(m_pWeapon->CalcDamage(&m_request, &arrRow));
    return arrRow;
  }

  std::vector<DamageResult_t> TracedRows(DamageTrace_t& trace) const {
    std::vector<DamageResult_t> arrRow;
    EXPECT_TRUE(m_pWeapon->CalcDamage(&m_request, &arrRow, &trace));
    return arrRow;
  }

  const std::vector<const CAction*>& Actions() const { return m_arrAction; }

private:
  std::unique_ptr<CWeapon> m_pWeapon;
  CMonster m_monster;
  CHitPattern m_pattern;
  CLevel m_level;
  std::vector<std::unique_ptr<CAction>> m_arrOwned;
  std::vector<const CAction*> m_arrAction;
  DamageRequest_t m_request;
};

std::array<uint8_t, 9> Fire(uint8_t byFire) {
  return {0, byFire, 10, 10, 10, 10, 90, 90, 90};
}

// ---------------------------------------------------------------------------
// A hand-checked trace

// Great sword 960 (coefficient 4.8), fire 300; 力の護符 and 力の爪 (+14) and
// 会心 (x1.25): B = (200 + 14) * 1.25 = 267.5. Green sharpness: 1.125 and 1.0,
// high rate 100 %. Region cut 45, fire 20; angry with anger 90: 110 %.
//   mv 48: r = 128.4, P = 45 * 128.4 * 1.125 / 100 = 65.0025, e = 50.625,
//          E = 30 * 20 / 100 = 6, T = 71.0025, angry 78.10275 -> 78, total 78
//   mv 26: r = 69.55, P = 35.2096875, e = 50.625, E = 6, T = 41.2096875,
//          angry 45.33065625 -> 45, total 123
TEST(HitTraceTest, HandCheckedHits) {
  Setup_t setup;
  setup.arrRegion = {{{45, 60, 0}, Fire(20)}};
  setup.arrMotion = {{100, 100, {48, 26}}};
  setup.bAnger = 1;
  setup.nModifier = Bit(1) | Bit(2) | Bit(23);
  const CCalculation calculation(setup);

  DamageTrace_t trace;
  const std::vector<DamageResult_t> arrRow = calculation.TracedRows(trace);

  const DamageFactors_t& f = trace.factors;
  EXPECT_EQ(f.nSharpness, 3);
  EXPECT_EQ(f.dSharpPhys, 1.125);
  EXPECT_EQ(f.dSharpElement, 1.0);
  EXPECT_EQ(f.byHitRate, 100);
  EXPECT_EQ(f.dHitFactor, 1.0);
  EXPECT_EQ(f.byBonus, 14);
  EXPECT_EQ(f.dFactor, 1.25);
  EXPECT_EQ(f.dBase, 267.5);
  EXPECT_EQ(f.byLevelRate, 100);
  EXPECT_TRUE(f.bAnger);
  EXPECT_EQ(f.byAngerRate, 110);

  ASSERT_EQ(trace.arrHit.size(), 2u);
  const HitTrace_t& first = trace.arrHit[0];
  EXPECT_EQ(first.nRegion, 0);
  EXPECT_EQ(first.pAction, calculation.Actions()[0]);
  EXPECT_EQ(first.nAction, 0);
  EXPECT_EQ(first.nHit, 0);
  EXPECT_EQ(first.wMotionValue, 48);
  EXPECT_EQ(first.byMotionRate, 100);
  EXPECT_DOUBLE_EQ(first.dRaw, 128.4);
  EXPECT_DOUBLE_EQ(first.dPhysical, 65.0025);
  ASSERT_TRUE(first.dEffective.has_value());
  EXPECT_DOUBLE_EQ(*first.dEffective, 50.625);
  EXPECT_EQ(first.nKind, RESULT_NORMAL);
  EXPECT_DOUBLE_EQ(first.dElement, 6.0);
  EXPECT_DOUBLE_EQ(first.dTotal, 71.0025);
  EXPECT_DOUBLE_EQ(first.dAngryTotal, 78.10275);
  EXPECT_EQ(first.nTruncated, 78);
  EXPECT_EQ(first.nRunning, 78);

  const HitTrace_t& second = trace.arrHit[1];
  EXPECT_EQ(second.nHit, 1);
  EXPECT_EQ(second.wMotionValue, 26);
  EXPECT_DOUBLE_EQ(second.dRaw, 69.55);
  EXPECT_DOUBLE_EQ(second.dPhysical, 35.2096875);
  EXPECT_DOUBLE_EQ(second.dTotal, 41.2096875);
  EXPECT_DOUBLE_EQ(second.dAngryTotal, 45.33065625);
  EXPECT_EQ(second.nTruncated, 45);
  EXPECT_EQ(second.nRunning, 123);

  ASSERT_EQ(arrRow.size(), 1u);
  EXPECT_EQ(arrRow[0].nDamage, 123);
}

// A weapon of attack 0 has raw value 0: no effective rate, a low hit, and the
// element damage alone counts (30 * 20 / 100 = 6 per hit).
TEST(HitTraceTest, ZeroRawValueHasNoEffectiveRate) {
  Setup_t setup;
  setup.wAttack = 0;
  setup.arrRegion = {{{45, 60, 0}, Fire(20)}};
  setup.arrMotion = {{100, 100, {48}}};
  const CCalculation calculation(setup);

  DamageTrace_t trace;
  const std::vector<DamageResult_t> arrRow = calculation.TracedRows(trace);

  ASSERT_EQ(trace.arrHit.size(), 1u);
  EXPECT_EQ(trace.arrHit[0].dRaw, 0.0);
  EXPECT_FALSE(trace.arrHit[0].dEffective.has_value());
  EXPECT_EQ(trace.arrHit[0].nKind, RESULT_LOW);
  EXPECT_EQ(trace.arrHit[0].nTruncated, 6);
  EXPECT_EQ(arrRow[0].nKind, RESULT_LOW);
}

// Without anger the total after anger is the total itself, bit for bit.
TEST(HitTraceTest, CalmMonsterLeavesTheTotal) {
  Setup_t setup;
  setup.arrRegion = {{{45, 60, 0}, Fire(20)}, {{33, 60, 0}, Fire(7)}};
  setup.arrMotion = {{73, 100, {17, 29, 41}}};
  const CCalculation calculation(setup);

  DamageTrace_t trace;
  calculation.TracedRows(trace);

  EXPECT_FALSE(trace.factors.bAnger);
  ASSERT_EQ(trace.arrHit.size(), 6u);
  for (const HitTrace_t& hit : trace.arrHit) EXPECT_TRUE(SameBits(hit.dAngryTotal, hit.dTotal));
}

// ---------------------------------------------------------------------------
// Trace and rows agree

// Checks the trace against the rows: the same rows as without a trace, and
// for every region its hits in attack order, their truncated values adding up
// to the damage and the last hit's kind being the row's.
void ExpectTraceMatchesRows(const CCalculation& calculation) {
  DamageTrace_t trace;
  const std::vector<DamageResult_t> arrTraced = calculation.TracedRows(trace);
  const std::vector<DamageResult_t> arrPlain = calculation.Rows();

  ASSERT_EQ(arrTraced.size(), arrPlain.size());
  size_t nHitsPerRegion = 0;
  for (const CAction* pAction : calculation.Actions())
    nHitsPerRegion += pAction->GetMotions().size();
  ASSERT_EQ(trace.arrHit.size(), nHitsPerRegion * arrPlain.size());

  auto itHit = trace.arrHit.begin();
  for (size_t nRegion = 0; nRegion < arrPlain.size(); ++nRegion) {
    SCOPED_TRACE("region " + std::to_string(nRegion));
    const DamageResult_t& row = arrPlain[nRegion];
    EXPECT_EQ(arrTraced[nRegion].strName, row.strName);
    EXPECT_EQ(arrTraced[nRegion].nDamage, row.nDamage);
    EXPECT_EQ(arrTraced[nRegion].byPhys, row.byPhys);
    EXPECT_EQ(arrTraced[nRegion].byElement, row.byElement);
    EXPECT_EQ(arrTraced[nRegion].nKind, row.nKind);

    int64_t nSum = 0;
    int32_t nLastKind = RESULT_NORMAL;
    int32_t nRunning = 0;
    for (size_t nAction = 0; nAction < calculation.Actions().size(); ++nAction) {
      const CAction* pAction = calculation.Actions()[nAction];
      for (size_t nHit = 0; nHit < pAction->GetMotions().size(); ++nHit, ++itHit) {
        EXPECT_EQ(itHit->nRegion, static_cast<int32_t>(nRegion));
        EXPECT_EQ(itHit->pAction, pAction);
        EXPECT_EQ(itHit->nAction, static_cast<int32_t>(nAction));
        EXPECT_EQ(itHit->nHit, static_cast<int32_t>(nHit));
        EXPECT_EQ(itHit->wMotionValue, pAction->GetMotions()[nHit]);
        EXPECT_EQ(itHit->dEffective.has_value(), itHit->dRaw != 0.0);
        nSum = std::min<int64_t>(nSum + itHit->nTruncated, kMaxDamage);
        EXPECT_EQ(itHit->nRunning, nSum);
        nRunning = itHit->nRunning;
        nLastKind = itHit->nKind;
      }
    }
    EXPECT_EQ(nRunning, row.nDamage);
    EXPECT_EQ(nLastKind, row.nKind);
  }
}

// Every hit is far beyond the 32-bit range: B is about 98970, r about 6.5e7,
// P about 1.4e9 and T, angry, about 3.9e9.
const Setup_t kSaturating{.eCategory = CATEGORY_SWORD,
                          .wAttack = 65535,
                          .wElement = 65535,
                          .arrRegion = {{{255, 255, 255}, Fire(255)}},
                          .arrMotion = {{255, 255, {65535, 65535}}},
                          .byHighRate = 255,
                          .byLevelRate = 255,
                          .nSharpness = 5,
                          .bAnger = 1,
                          .nModifier = Bit(1) | Bit(2) | Bit(9) | Bit(20) | Bit(21) | Bit(23)};

// A hit beyond the 32-bit range counts as the largest value, and the total
// stays there.
TEST(HitTraceTest, SaturatedHitsStayAtTheLargestValue) {
  const CCalculation calculation(kSaturating);
  DamageTrace_t trace;
  calculation.TracedRows(trace);
  ASSERT_EQ(trace.arrHit.size(), 2u);
  EXPECT_GT(trace.arrHit[0].dAngryTotal, 3.0e9);
  EXPECT_EQ(trace.arrHit[0].nTruncated, kMaxDamage);
  EXPECT_EQ(trace.arrHit[1].nTruncated, kMaxDamage);
  EXPECT_EQ(trace.arrHit[1].nRunning, kMaxDamage);
}

struct AgreeCase_t {
  const char* szName;
  Setup_t setup;
};

class TraceAgreesTest : public ::testing::TestWithParam<AgreeCase_t> {};

TEST_P(TraceAgreesTest, HitsAddUpToTheRows) {
  const CCalculation calculation(GetParam().setup);
  ExpectTraceMatchesRows(calculation);
}

const AgreeCase_t kAgreeCases[] = {
    {"EmptyMotionList", {.arrRegion = {{{45, 60, 0}, Fire(20)}}}},
    {"NoRegions", {.arrMotion = {{100, 100, {48}}}}},
    {"MotionWithoutValues",
     {.arrRegion = {{{45, 60, 0}, Fire(20)}}, .arrMotion = {{100, 100, {}}, {100, 100, {10}}}}},
    // Sword 300 (coefficient 1.4), yellow, physical 100: e = 100 exactly.
    {"EffectiveRateExactly100",
     {.eCategory = CATEGORY_SWORD,
      .wAttack = 300,
      .wElement = 0,
      .nElementMask = 0,
      .arrRegion = {{{100, 0, 0}, Fire(0)}, {{25, 0, 0}, Fire(0)}},
      .arrMotion = {{100, 100, {20}}},
      .nSharpness = 2}},
    // Anger 250 wraps: (200 - 250) mod 256 = 206 %.
    {"AngerWraps",
     {.arrRegion = {{{45, 60, 0}, Fire(20)}},
      .byAnger2 = 250,
      .arrMotion = {{100, 100, {48, 26}}},
      .bAnger = 1}},
    {"Saturation", kSaturating},
    {"LanceImpactAndZeroRate",
     {.eCategory = CATEGORY_LANCE,
      .wAttack = 460,
      .arrRegion = {{{30, 45, 0}, Fire(20)}, {{50, 45, 0}, Fire(0)}, {{45, 45, 0}, Fire(5)}},
      .arrMotion = {{100, 80, {20, 13}}, {0, 0, {30}}, {100, 80, {20, 13}}},
      .nSharpness = 0}},
};

INSTANTIATE_TEST_SUITE_P(Requests, TraceAgreesTest, ::testing::ValuesIn(kAgreeCases),
                         RowName<AgreeCase_t>);

// A seeded sweep over categories, sharpness, modifiers, anger and values.
TEST(HitTraceSweepTest, RandomRequestsAgree) {
  std::mt19937 random(20240611);
  auto Below = [&random](uint32_t nLimit) { return static_cast<uint32_t>(random() % nLimit); };
  auto Byte = [&random] { return static_cast<uint8_t>(random() % 256); };
  for (int nRound = 0; nRound < 200; ++nRound) {
    SCOPED_TRACE("round " + std::to_string(nRound));
    Setup_t setup;
    setup.eCategory = static_cast<eWEAPON_CATEGORY>(random() % CATEGORY_COUNT);
    setup.wAttack = static_cast<uint16_t>(random() % 2000);
    setup.wElement = static_cast<uint16_t>(random() % 600);
    setup.nElementMask = static_cast<int32_t>(random() % 512);
    for (uint32_t i = Below(5); i > 0; --i) {
      setup.arrRegion.push_back(
          {{Byte(), Byte(), Byte()}, {0, Byte(), Byte(), Byte(), Byte(), Byte(), 0, 0, 0}});
    }
    setup.byAnger2 = Byte();
    for (uint32_t i = Below(4); i > 0; --i) {
      Motion_t motion{Byte(), Byte(), {}};
      for (uint32_t j = Below(4); j > 0; --j)
        motion.arrMotion.push_back(static_cast<uint16_t>(random() % 120));
      setup.arrMotion.push_back(motion);
    }
    setup.byLowRate = Byte();
    setup.byHighRate = Byte();
    setup.byLevelRate = Byte();
    setup.nSharpness = static_cast<int32_t>(random() % 6);
    setup.bAnger = static_cast<int32_t>(random() % 2);
    setup.nModifier = static_cast<uint32_t>(random()) & 0x1FFFFFEU;
    const CCalculation calculation(setup);
    ExpectTraceMatchesRows(calculation);
  }
}

}  // namespace
