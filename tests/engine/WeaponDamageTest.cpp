// The damage computation: sharpness multipliers, and CalcDamage from request
// to result rows and to the trace of every hit.
//
// Expected damages are worked out by hand in the row comments, following the
// order of the arithmetic: r = (mv * B) * 0.01,
// P = ((((p * (m * 0.01)) * r) * h) * ps) * 0.01, e = (P / r) * 100,
// E = ((((element * 0.1) * x) * es) * 0.01) * elementCoef,
// T = (level * (E + P)) * 0.01, angry: T = (a * T) * 0.01, a = (200 - anger) mod 256.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/DamageTypes.h"
#include "model/Action.h"
#include "model/CategoryTable.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "model/Monster.h"
#include "support/RowName.h"

namespace {

constexpr int32_t kMaxDamage = 2147483647;

constexpr uint32_t Bit(int n) {
  return 1U << n;
}

struct Motion_t {
  uint8_t byCutRate;
  uint8_t byImpactRate;
  std::vector<uint16_t> arrMotion;
};

struct Row_t {
  int32_t nDamage;
  uint8_t byPhys;
  uint8_t byElement;
  int32_t nKind;  // eRESULT_KIND
  bool operator==(const Row_t&) const = default;
  friend void PrintTo(const Row_t& row, std::ostream* pOut) {
    *pOut << "{damage " << row.nDamage << ", physical " << +row.byPhys << ", element "
          << +row.byElement << ", kind " << row.nKind << "}";
  }
};

Row_t Of(const DamageResult_t& row) {
  return {row.nDamage, row.byPhys, row.byElement, row.nKind};
}

// One calculation. Regions give cut, impact and fire hitzones; the weapon's
// element is fire. nAnger < 0: the monster is calm.
struct Calc_t {
  const char* szName;
  eWEAPON_CATEGORY eCategory;
  uint16_t wAttack;
  uint16_t wElement;
  std::vector<std::array<uint8_t, 3>> arrRegion;
  std::vector<Motion_t> arrMotion;
  int32_t nSharpness;
  uint8_t byLowRate;
  uint8_t byHighRate;
  uint8_t byLevelRate;
  uint32_t nModifier;
  int nAnger;
  std::vector<Row_t> arrExpected;
};

// Owns the records a request points at.
class CCalculation {
public:
  explicit CCalculation(const Calc_t& c)
      : m_pWeapon(CreateWeapon(c.eCategory)),
        m_monster("m", 0, static_cast<uint8_t>(std::max(c.nAnger, 0)), 0),
        m_pattern("h", c.byLowRate, c.byHighRate),
        m_level("l", c.byLevelRate) {
    m_pWeapon->SetStatus("w", c.wAttack, c.wElement, 1 << ELEMENT_FIRE, 1);
    for (const auto& region : c.arrRegion) {
      // Status entries 6..8 hold values so that reading them would show.
      m_monster.AddRegion("r", {region[0], region[1], 99}, {0, region[2], 9, 9, 9, 9, 90, 90, 90});
    }
    for (const Motion_t& motion : c.arrMotion) {
      m_arrOwned.push_back(std::make_unique<CAction>("a"));
      m_arrOwned.back()->SetRate(motion.byCutRate, motion.byImpactRate);
      for (const uint16_t wMotion : motion.arrMotion) m_arrOwned.back()->AddMotion(wMotion);
      m_arrAction.push_back(m_arrOwned.back().get());
    }
    m_request = {c.nSharpness, c.nAnger >= 0 ? 1 : 0, c.nModifier,
                 &m_monster,   &m_arrAction,          &m_pattern,
                 &m_level};
  }

  // CalcDamage only appends: a row already in the array stays first.
  std::vector<DamageResult_t> Rows(DamageTrace_t* pTrace) const {
    std::vector<DamageResult_t> arrRow{DamageResult_t{"kept", 7, 1, 2, RESULT_HIGH}};
    EXPECT_TRUE(pTrace != nullptr ? m_pWeapon->CalcDamage(&m_request, &arrRow, pTrace)
                                  : m_pWeapon->CalcDamage(&m_request, &arrRow));
    EXPECT_EQ(arrRow.front().strName, "kept");
    arrRow.erase(arrRow.begin());
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

class CalcDamageTest : public ::testing::TestWithParam<Calc_t> {};

// The rows, and the trace: for every region its hits in attack order, their
// truncated values running up to the row's damage, and without anger the
// total after anger the total itself.
TEST_P(CalcDamageTest, RowsAndTraceAgree) {
  const Calc_t& c = GetParam();
  const CCalculation calculation(c);
  DamageTrace_t trace;
  const std::vector<DamageResult_t> arrRow = calculation.Rows(nullptr);
  const std::vector<DamageResult_t> arrTraced = calculation.Rows(&trace);
  ASSERT_EQ(arrRow.size(), c.arrExpected.size());
  ASSERT_EQ(arrTraced.size(), arrRow.size());
  auto itHit = trace.arrHit.begin();
  for (size_t i = 0; i < arrRow.size(); ++i) {
    SCOPED_TRACE("region " + std::to_string(i));
    const Row_t& expected = c.arrExpected[i];
    EXPECT_EQ(Of(arrRow[i]), expected);
    EXPECT_EQ(Of(arrTraced[i]), expected);
    int32_t nRunning = 0;
    for (size_t nAction = 0; nAction < calculation.Actions().size(); ++nAction) {
      const std::vector<uint16_t>& arrMotion = calculation.Actions()[nAction]->GetMotions();
      for (size_t nHit = 0; nHit < arrMotion.size(); ++nHit, ++itHit) {
        ASSERT_NE(itHit, trace.arrHit.end());
        EXPECT_EQ(itHit->nRegion, static_cast<int32_t>(i));
        EXPECT_EQ(itHit->pAction, calculation.Actions()[nAction]);
        EXPECT_EQ(itHit->dEffective.has_value(), itHit->dRaw != 0.0);
        EXPECT_TRUE(c.nAnger >= 0 || std::memcmp(&itHit->dAngryTotal, &itHit->dTotal, 8) == 0);
        nRunning = static_cast<int32_t>(
            std::min<int64_t>(int64_t{nRunning} + itHit->nTruncated, kMaxDamage));
        EXPECT_EQ(itHit->nRunning, nRunning);
      }
    }
    EXPECT_EQ(nRunning, expected.nDamage);
  }
  EXPECT_EQ(itHit, trace.arrHit.end());
}

constexpr auto kGS = CATEGORY_GREATSWORD;
constexpr auto kSword = CATEGORY_SWORD;
constexpr auto kNormal = RESULT_NORMAL;
constexpr auto kLow = RESULT_LOW;
constexpr auto kHigh = RESULT_HIGH;

INSTANTIATE_TEST_SUITE_P(
    Requests, CalcDamageTest,
    ::testing::Values(
        // B = 300 / 1.4, r = 42.857..., physical 100: P = r, e = 100.0 exactly: normal; physical
        // 25: e = 25.0 exactly: low. The low rate counts below green.
        Calc_t("EffectiveRateBounds", kSword, 300, 0, {{100, 0, 0}, {25, 0, 0}}, {{100, 100, {20}}},
               2, 100, 0, 100, 0, -1, {{42, 100, 0, kNormal}, {10, 25, 0, kLow}}),
        // Attack 0: raw value 0, no effective rate (low); element 30 * 20 * 0.01 = 6.
        Calc_t("RawValue0IsLow", kGS, 0, 300, {{45, 60, 20}}, {{100, 100, {48}}}, 3, 100, 100, 100,
               0, -1, {{6, 45, 20, kLow}}),
        // Anger: B = 200, r = P = T = 100 (yellow, physical 100, mv 50) before the anger rate.
        Calc_t("Anger200", kSword, 280, 0, {{100, 0, 0}}, {{100, 100, {50}}}, 2, 100, 100, 100, 0,
               200, {{0, 100, 0, kNormal}}),
        // Anger 201: (200 - 201) mod 256 = 255 %.
        Calc_t("Anger201Wraps", kSword, 280, 0, {{100, 0, 0}}, {{100, 100, {50}}}, 2, 100, 100, 100,
               0, 201, {{255, 100, 0, kNormal}}),
        // The row's kind. Hits of one kind keep it: B = 101 / 1.4, blue, cut 80; mv 18 and
        // 19 give r = 12.98571428571429 and 13.707142857142863, each e = 100.00000000000003
        // (high), P just above r: 12 + 13. Together (P1 + P2) / (r1 + r2) * 100 = 100.0.
        Calc_t("OneMotionKeepsItsKind", kSword, 101, 0, {{80, 0, 0}}, {{100, 100, {18, 19}}}, 4,
               100, 100, 100, 0, -1, {{25, 80, 0, kHigh}}),
        // Sword 280 (B = 200), cut 40, green: a weak first bash (rate 10, mv 10) r = 20,
        // P = 0.9, e = 4.5 (low); then mv 30 twice at rate 100 gives r = 60, P = 27, e = 45.
        // Together 54.9 / 140 * 100 = 39.21...: normal, not the first hit's low.
        Calc_t("WeakFirstHitFollowsTheWhole", kSword, 280, 0, {{40, 0, 0}},
               {{10, 90, {10}}, {100, 90, {30, 30}}}, 3, 100, 100, 100, 0, -1,
               {{54, 40, 0, kNormal}}),
        // mv 0 has no raw value (low) but still deals element damage 6; with the mv 48 hit
        // before it (54, e = 50.625) the whole is 48.6 / 96 * 100: normal.
        Calc_t("ZeroRawLastHitFollowsTheWhole", kGS, 960, 300, {{45, 60, 20}},
               {{100, 100, {48, 0}}}, 3, 0, 100, 100, 0, -1, {{60, 45, 20, kNormal}}),
        // Rate 255 at mv 10 gives e = 114.75 (high); a motion without motion values adds no hit.
        Calc_t("MotionWithoutValuesKeepsKind", kSword, 280, 230, {{40, 90, 25}},
               {{255, 90, {10}}, {100, 90, {}}}, 3, 100, 100, 100, 0, -1, {{28, 40, 25, kHigh}}),
        // The last bits: rows where a regrouped product, or a division in place of the
        // multiplication by 0.01, changes the damage or the kind.
        // B = (160 + 5) * 1.15 = 189.74999999999997 (1.15 is a little below 1.15); mv 400:
        // r = 758.9999999999999 -> 758. With B taken as 189.75 the hit would be 759.
        Calc_t("BaseAttack189_74999999999997", kSword, 224, 0, {{100, 0, 0}}, {{100, 100, {400}}},
               2, 100, 0, 100, Bit(1) | Bit(17), -1, {{758, 100, 0, kNormal}}),
        // Every bit 1..24: B = (200 + 121) * 1.8366075 = 589.5510075, r = P = T = 58.955...
        Calc_t("All24ModifierBits", kSword, 280, 0, {{100, 0, 0}}, {{100, 100, {10}}}, 2, 100, 0,
               100, 0x01FFFFFE, -1, {{58, 100, 0, kNormal}}),
        // B = 205 / 1.4, r = 62.96428571428573, P = 62.96428571428574 (one bit above r),
        // e = 100.00000000000003: high. (P * 100) / r would be 100.0.
        Calc_t("Rate100BitAboveIsHigh", kSword, 205, 0, {{100, 0, 0}}, {{100, 100, {43}}}, 2, 100,
               100, 100, 0, -1, {{62, 100, 0, kHigh}}),
        // B = (185 + 5) * 1.15 = 218.49999999999997, r = 76.475, P = 76.47500000000001: high.
        // mv * (B * 0.01) would give r = 76.47499999999998.
        Calc_t("OrderOfRawValue", kSword, 259, 0, {{80, 0, 0}}, {{100, 100, {35}}}, 4, 100, 100,
               100, Bit(1) | Bit(17), -1, {{76, 80, 0, kHigh}}),
        // B = (218.57142857142858 + 5) * 1.15 = 257.10714285714283, P = r, e = 100.0: normal.
        // 306 / 1.4 * 1.15 + 5 * 1.15 would give B = 257.1071428571429.
        Calc_t("OrderOfBaseAttack", kSword, 306, 0, {{80, 0, 0}}, {{100, 100, {45}}}, 4, 100, 100,
               100, Bit(1) | Bit(17), -1, {{115, 80, 0, kNormal}}),
        // T = 58, anger 100: (100 * 58) * 0.01 = 58; 100 * (58 * 0.01) would be 57.99...
        Calc_t("OrderOfAngerRate", kSword, 203, 0, {{100, 0, 0}}, {{100, 100, {40}}}, 2, 100, 100,
               100, 0, 100, {{58, 100, 0, kNormal}}),
        // 70 * 0.58 = 40.599999999999994, so P = 28.999999999999996 -> 28; (70 * 58) * 0.01
        // would be 40.6 and give 29.
        Calc_t("OrderOfMotionRate", kSword, 200, 0, {{70, 0, 0}}, {{58, 100, {50}}}, 2, 100, 100,
               100, 0, -1, {{28, 70, 0, kNormal}}),
        // Saturation. Sword 65520: B = 46800; cut, cut rate, low rate and level 250, fire
        // 250, yellow, anger 206 (a = 250 %). Every step is exact: a hit is
        // 6.25 * (7312.5 * mv + element * 0.1875).

        // Element 26380: 2147483648.4375, past the 32-bit range.
        Calc_t("HitAboveLimit", kSword, 65520, 26380, {{250, 0, 250}}, {{250, 0, {46987}}}, 2, 250,
               0, 250, 0, 206, {{kMaxDamage, 250, 250, kHigh}}),
        // The first hit is 2147452734; the second, 31992 (mv 7 at cut rate 25), does not fit.
        Calc_t("TotalStopsAtLimit", kSword, 65520, 0, {{250, 0, 250}},
               {{250, 0, {46987}}, {25, 0, {7}}}, 2, 250, 0, 250, 0, 206,
               {{kMaxDamage, 250, 250, kHigh}})),
    RowName<Calc_t>);

// Each class on two regions (cut 30 impact 45, cut 45 impact 30; fire 20), attack 480, fire
// 300, green, one hit of mv 20 at cut rate 100 and impact rate 80. B = 480 / divisor:
// 342.857 (1.4), 100 (4.8), 208.696 (2.3), 92.308 (5.2); r = 0.2 B. E = 30 x 20 x 0.01 x
// element coefficient = 6 (4.2 for dual swords). Cut: P = 0.3375 r, then 0.50625 r; impact:
// 0.405 r, then 0.27 r; the larger of both: 0.405 r, then 0.50625 r.
TEST(ClassDamage, DivisorElementCoefficientAndDamageTypeOfEachClass) {
  const std::pair<eWEAPON_CATEGORY, std::vector<Row_t>> arrClass[] = {
      {kSword, {{29, 30, 20, kNormal}, {40, 45, 20, kNormal}}},              // 23.14 + 6, 34.71 + 6
      {CATEGORY_DUALSWORD, {{27, 30, 20, kNormal}, {38, 45, 20, kNormal}}},  // + 4.2
      {kGS, {{12, 30, 20, kNormal}, {16, 45, 20, kNormal}}},                 // 6.75, 10.125
      {CATEGORY_KATANA, {{12, 30, 20, kNormal}, {16, 45, 20, kNormal}}},
      {CATEGORY_LANCE, {{22, 45, 20, kNormal}, {27, 45, 20, kNormal}}},  // 16.9, 21.13
      {CATEGORY_GUNLANCE, {{22, 45, 20, kNormal}, {27, 45, 20, kNormal}}},
      {CATEGORY_HUMMER, {{13, 45, 20, kNormal}, {10, 30, 20, kNormal}}},  // 7.48, 4.98
      {CATEGORY_HUNTINGHORN, {{13, 45, 20, kNormal}, {10, 30, 20, kNormal}}}};
  ASSERT_EQ(std::size(arrClass), static_cast<size_t>(CATEGORY_COUNT)) << "a category lacks its row";
  for (const auto& [eCategory, arrExpected] : arrClass) {
    const CCalculation calculation(Calc_t("class", eCategory, 480, 300,
                                          {{30, 45, 20}, {45, 30, 20}}, {{100, 80, {20}}}, 3, 0,
                                          100, 100, 0, -1, {}));
    std::vector<Row_t> arrRow;
    for (const DamageResult_t& row : calculation.Rows(nullptr)) arrRow.push_back(Of(row));
    EXPECT_EQ(arrRow, arrExpected) << "category " << eCategory;
  }
}

// Each sharpness level on a sword 280 (B = 200), mv 101 on cut 100 and fire
// 100, fire 100: a hit is 202 ps + 10 es, truncated; no other level exists.
TEST(SharpnessDamage, EachLevelItsPhysicalAndElementMultiplier) {
  const int32_t arrDamage[6] = {103, 156, 209, 237, 263, 273};  // 101 + 2.5, 151.5 + 5, ...
  for (int32_t nLevel = 0; nLevel <= 5; ++nLevel) {
    const CCalculation calculation(Calc_t("level", kSword, 280, 100, {{100, 0, 100}},
                                          {{100, 100, {101}}}, nLevel, 100, 100, 100, 0, -1, {}));
    EXPECT_EQ(calculation.Rows(nullptr).at(0).nDamage, arrDamage[nLevel]) << "level " << nLevel;
  }
  double dPhys = 7.0;
  EXPECT_FALSE(CWeapon::GetSharpnessRate(6, dPhys, dPhys));
  EXPECT_EQ(dPhys, 7.0);
}

}  // namespace
