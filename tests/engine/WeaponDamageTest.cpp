// The damage computation: sharpness multipliers, modifier bits and
// CalcDamage from request to result rows.
//
// Expected damages are worked out by hand in the row comments, following the
// order of the arithmetic: r = (mv * B) * 0.01,
// P = ((((p * (m * 0.01)) * r) * h) * ps) * 0.01, e = (P / r) * 100,
// E = ((((element * 0.1) * x) * es) * 0.01) * elementCoef,
// T = (level * (E + P)) * 0.01, angry: T = (a * T) * 0.01, a = (200 - anger) mod 256.
// Where a value is marked exact, every step gives a double that equals the
// decimal: x * 0.01 is exactly x / 100 whenever x / 100 is a double, because
// 0.01 is off by only about 2e-17 relative.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
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

constexpr int32_t kMaxDamage = 2147483647;
constexpr uint32_t kFire = 1U << ELEMENT_FIRE;

// ---------------------------------------------------------------------------
// Sharpness multipliers

struct SharpnessCase_t {
  const char* szName;
  int32_t nLevel;
  bool bFound;
  double dPhys;
  double dElement;
};

class SharpnessRateTest : public ::testing::TestWithParam<SharpnessCase_t> {};

TEST_P(SharpnessRateTest, MultipliersOfLevel) {
  const SharpnessCase_t& c = GetParam();
  double dPhys = -7.0;
  double dElement = -7.0;
  EXPECT_EQ(CWeapon::GetSharpnessRate(c.nLevel, dPhys, dElement), c.bFound);
  EXPECT_EQ(dPhys, c.dPhys);
  EXPECT_EQ(dElement, c.dElement);
}

const SharpnessCase_t kSharpnessCases[] = {
    {"Red", 0, true, 0.5, 0.25},
    {"Orange", 1, true, 0.75, 0.5},
    {"Yellow", 2, true, 1.0, 0.75},
    {"Green", 3, true, 1.125, 1.0},
    {"Blue", 4, true, 1.25, 1.0625},
    {"White", 5, true, 1.3, 1.125},
    // Outside the table nothing is read or written.
    {"Minus1", -1, false, -7.0, -7.0},
    {"Six", 6, false, -7.0, -7.0},
    {"IntMax", INT_MAX, false, -7.0, -7.0},
    {"IntMin", INT_MIN, false, -7.0, -7.0},
};

INSTANTIATE_TEST_SUITE_P(Levels, SharpnessRateTest, ::testing::ValuesIn(kSharpnessCases),
                         RowName<SharpnessCase_t>);

// ---------------------------------------------------------------------------
// Modifier bits

struct ModifierCase_t {
  const char* szName;
  uint32_t nModifier;
  uint8_t byBonus;
  double dFactor;
};

class ModifierTest : public ::testing::TestWithParam<ModifierCase_t> {};

TEST_P(ModifierTest, BonusAndFactor) {
  const ModifierCase_t& c = GetParam();
  uint8_t byBonus = 99;
  double dFactor = -1.0;
  CWeapon::CalcModifier(c.nModifier, byBonus, dFactor);
  EXPECT_EQ(byBonus, c.byBonus);
  EXPECT_EQ(dFactor, c.dFactor);
}

constexpr uint32_t Bit(int n) {
  return 1U << n;
}

// The product of every factor, multiplied left to right in bit order.
constexpr double kAllFactors = 1.0 * 1.15 * 1.2 * 1.2 * 1.3 * 1.3 * 0.7 * 1.25 * 0.75;

const ModifierCase_t kModifierCases[] = {
    {"None", 0, 0, 1.0},
    {"PowerCharm", Bit(1), 5, 1.0},
    {"PowerTalon", Bit(2), 9, 1.0},
    {"Bit3", Bit(3), 3, 1.0},
    {"Bit4", Bit(4), 5, 1.0},
    {"Bit5", Bit(5), 3, 1.0},
    {"Bit6", Bit(6), 3, 1.0},
    {"Bit7", Bit(7), 5, 1.0},
    {"Bit8", Bit(8), 10, 1.0},
    {"Bit9", Bit(9), 25, 1.0},
    {"Bit10", Bit(10), 10, 1.0},
    {"Bit11", Bit(11), 5, 1.0},
    {"Bit12", Bit(12), 10, 1.0},
    {"Bit13", Bit(13), 10, 1.0},
    {"Bit14", Bit(14), 3, 1.0},
    {"Bit15", Bit(15), 5, 1.0},
    {"Bit16", Bit(16), 10, 1.0},
    {"Bit17", Bit(17), 0, 1.15},
    {"Bit18", Bit(18), 0, 1.2},
    {"Bit19", Bit(19), 0, 1.2},
    {"Bit20", Bit(20), 0, 1.3},
    {"Bit21", Bit(21), 0, 1.3},
    {"Bit22", Bit(22), 0, 0.7},
    {"Bit23", Bit(23), 0, 1.25},
    {"Bit24", Bit(24), 0, 0.75},
    {"CharmTalonCritical", Bit(1) | Bit(2) | Bit(23), 14, 1.25},
    {"CharmAndSmallFlute", Bit(1) | Bit(17), 5, 1.15},
    // 5+9+3+5+3+3+5+10+25+10+5+10+10+3+5+10 = 121.
    {"AllBonusBits", 0x0001FFFE, 121, 1.0},
    {"All24Bits", 0x01FFFFFE, 121, kAllFactors},
    // Bit 0 and bits 25..31 carry no effect.
    {"UnusedBitsOnly", 0xFE000001, 0, 1.0},
    {"EveryBit", 0xFFFFFFFF, 121, kAllFactors},
};

INSTANTIATE_TEST_SUITE_P(Words, ModifierTest, ::testing::ValuesIn(kModifierCases),
                         RowName<ModifierCase_t>);

// ---------------------------------------------------------------------------
// CalcDamage

struct Region_t {
  std::string strName;
  std::array<uint8_t, 3> byPhys;
  std::array<uint8_t, 9> byElement;
};

struct Motion_t {
  uint8_t byCutRate;
  uint8_t byImpactRate;
  std::vector<uint16_t> arrMotion;
};

struct Row_t {
  int32_t nDamage;
  uint8_t byPhys;
  uint8_t byElement;
  eRESULT_KIND eKind;
  int nPhysIndex;  // what GetPhysIndex gives for the weapon's damage type
};

struct DamageCase_t {
  const char* szName;
  eWEAPON_CATEGORY eCategory;
  uint16_t wAttack;
  uint16_t wElement;
  uint32_t nElementMask;
  std::vector<Region_t> arrRegion;
  uint8_t byAnger2 = 0;
  std::vector<Motion_t> arrMotion;
  std::vector<size_t> arrOrder{};  // indexes into arrMotion; empty means each once
  uint8_t byLowRate = 100;
  uint8_t byHighRate = 100;
  uint8_t byLevelRate = 100;
  int32_t nSharpness = 3;
  int32_t bAnger = 0;
  uint32_t nModifier = 0;
  std::vector<Row_t> arrExpected;
};

// Element hitzones with only fire set (entry 1); status entries 6..8 hold
// values so that reading them would show.
std::array<uint8_t, 9> Fire(uint8_t byFire) {
  return {0, byFire, 0, 0, 0, 0, 90, 90, 90};
}

const std::string kHead = velkar::ToSjis(u8"頭");
const std::string kTail = velkar::ToSjis(u8"尻尾");

class CalcDamageTest : public ::testing::TestWithParam<DamageCase_t> {};

TEST_P(CalcDamageTest, RowsPerRegion) {
  const DamageCase_t& c = GetParam();

  const std::unique_ptr<CWeapon> pWeapon = CreateWeapon(c.eCategory);
  ASSERT_NE(pWeapon, nullptr);
  // The weapon's own sharpness plays no part: the request's level counts.
  pWeapon->SetStatus("w", c.wAttack, c.wElement, static_cast<int32_t>(c.nElementMask), 1);

  CMonster monster("m", 0, c.byAnger2, 0);
  for (const Region_t& region : c.arrRegion)
    monster.AddRegion(region.strName, region.byPhys, region.byElement);

  std::vector<std::unique_ptr<CAction>> arrOwned;
  for (const Motion_t& motion : c.arrMotion) {
    arrOwned.push_back(std::make_unique<CAction>("a"));
    arrOwned.back()->SetRate(motion.byCutRate, motion.byImpactRate);
    for (const uint16_t wMotion : motion.arrMotion) arrOwned.back()->AddMotion(wMotion);
  }
  std::vector<const CAction*> arrActions;
  if (c.arrOrder.empty()) {
    for (const auto& pAction : arrOwned) arrActions.push_back(pAction.get());
  } else {
    for (const size_t nIndex : c.arrOrder) arrActions.push_back(arrOwned.at(nIndex).get());
  }

  const CHitPattern pattern("h", c.byLowRate, c.byHighRate);
  const CLevel level("l", c.byLevelRate);
  DamageRequest_t request;
  request.nSharpness = c.nSharpness;
  request.bAnger = c.bAnger;
  request.nModifier = c.nModifier;
  request.pMonster = &monster;
  request.pActions = &arrActions;
  request.pHitPattern = &pattern;
  request.pLevel = &level;

  // A row already in the array stays: CalcDamage only appends.
  std::vector<DamageResult_t> arrRows{DamageResult_t{"kept", 7, 1, 2, RESULT_HIGH}};
  ASSERT_TRUE(pWeapon->CalcDamage(&request, &arrRows));

  ASSERT_EQ(arrRows.size(), c.arrExpected.size() + 1);
  EXPECT_EQ(arrRows[0].strName, "kept");
  EXPECT_EQ(arrRows[0].nDamage, 7);
  for (size_t i = 0; i < c.arrExpected.size(); ++i) {
    SCOPED_TRACE("region " + std::to_string(i));
    const DamageResult_t& row = arrRows[i + 1];
    const Row_t& expected = c.arrExpected[i];
    EXPECT_EQ(row.strName, c.arrRegion[i].strName);
    EXPECT_EQ(row.nDamage, expected.nDamage);
    EXPECT_EQ(row.byPhys, expected.byPhys);
    EXPECT_EQ(row.byElement, expected.byElement);
    EXPECT_EQ(row.nKind, expected.eKind);
    EXPECT_EQ(monster.GetPhysIndex(static_cast<int>(i), pWeapon->GetDamageType()),
              expected.nPhysIndex);
  }
}

// The examples worked out for the game's damage formula.
const DamageCase_t kWorkedExamples[] = {
    // B = 960 / 4.8 = 200 (the quotient rounds to exactly 200), r = 48 * 200 * 0.01 = 96,
    // P = 45 * 1.0 * 96 * 1.0 * 1.125 * 0.01 = 48.6, E = 30 * 20 * 1.0 * 0.01 = 6.0,
    // T = 100 * 54.6 * 0.01 = 54.6 -> 54; e = 48.6 / 96 * 100 = 50.625.
    {.szName = "GreatSword54",
     .eCategory = CATEGORY_GREATSWORD,
     .wAttack = 960,
     .wElement = 300,
     .nElementMask = kFire,
     .arrRegion = {{kHead, {45, 60, 0}, Fire(20)}},
     .byAnger2 = 90,
     .arrMotion = {{100, 100, {48}}},
     .byLowRate = 0,
     .byHighRate = 100,
     .byLevelRate = 100,
     .nSharpness = 3,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {{54, 45, 20, RESULT_NORMAL, 0}}},
    // Bonus 5 + 9 = 14, factor 1.25: B = (200 + 14) * 1.25 = 267.5.
    // mv 48: r = 128.4, P = 45 * 128.4 * 1.125 * 0.01 = 65.0025, E = 6,
    //        T = 71.0025, angry (200 - 90 = 110): 78.10275 -> 78.
    // mv 26: r = 69.55, P = 35.2096875, T = 41.2096875, angry: 45.33065... -> 45.
    // 78 + 45 = 123; e = 50.625 for both hits.
    {.szName = "ModifiersAndAnger123",
     .eCategory = CATEGORY_GREATSWORD,
     .wAttack = 960,
     .wElement = 300,
     .nElementMask = kFire,
     .arrRegion = {{kHead, {45, 60, 0}, Fire(20)}},
     .byAnger2 = 90,
     .arrMotion = {{100, 100, {48, 26}}},
     .byLowRate = 0,
     .byHighRate = 100,
     .byLevelRate = 100,
     .nSharpness = 3,
     .bAnger = 1,
     .nModifier = Bit(1) | Bit(2) | Bit(23),
     .arrExpected = {{123, 45, 20, RESULT_NORMAL, 0}}},
    // B = 168 / 1.4 = 120 (a last bit above), r = 19.2, P = 30 * 19.2 * 1.25 * 0.01 = 7.2,
    // E = 25 * 25 * 1.0625 * 0.01 * 0.7 = 4.6484375, T = 80 * 11.8484375 * 0.01 = 9.47875
    // -> 9 per hit, 18 for two; e = 37.5.
    {.szName = "DualSwords18",
     .eCategory = CATEGORY_DUALSWORD,
     .wAttack = 168,
     .wElement = 250,
     .nElementMask = kFire,
     .arrRegion = {{kHead, {30, 60, 0}, Fire(25)}},
     .byAnger2 = 0,
     .arrMotion = {{100, 100, {16, 16}}},
     .byLowRate = 0,
     .byHighRate = 100,
     .byLevelRate = 80,
     .nSharpness = 4,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {{18, 30, 25, RESULT_NORMAL, 0}}},
    // Cut 30 < impact 45, so the lance hits impact with the impact rate 80:
    // B = 460 / 2.3 = 200 (a last bit above), r = 40, P = 45 * 0.8 * 40 * 1.125 * 0.01 = 16.2
    // -> 16; e = 40.5. (With the cut values it would be 30 * 1.0 * 40 * 1.125 * 0.01 = 13.5.)
    {.szName = "Lance16",
     .eCategory = CATEGORY_LANCE,
     .wAttack = 460,
     .wElement = 0,
     .nElementMask = 0,
     .arrRegion = {{kHead, {30, 45, 0}, Fire(20)}},
     .byAnger2 = 0,
     .arrMotion = {{100, 80, {20}}},
     .byLowRate = 0,
     .byHighRate = 100,
     .byLevelRate = 100,
     .nSharpness = 3,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {{16, 45, 0, RESULT_NORMAL, 1}}},
    // B = 300 / 1.4 = 214.2857142857143, 20 * B = 4285.714285714286, r = 42.85714285714286;
    // 100 * 1.0 * r = 4285.714285714286 again, so P = r and e is 100.0 exactly: not
    // above 100, normal. T = 42.857... -> 42.
    {.szName = "Rate100IsNormal",
     .eCategory = CATEGORY_SWORD,
     .wAttack = 300,
     .wElement = 0,
     .nElementMask = 0,
     .arrRegion = {{kHead, {100, 0, 0}, Fire(0)}},
     .byAnger2 = 0,
     .arrMotion = {{100, 100, {20}}},
     .byLowRate = 100,
     .byHighRate = 0,
     .byLevelRate = 100,
     .nSharpness = 2,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {{42, 100, 0, RESULT_NORMAL, 0}}},
    // The same with physical value 25: P = 10.714285714285715, P / r = 0.25, e = 25.0
    // exactly: low.
    {.szName = "Rate25IsLow",
     .eCategory = CATEGORY_SWORD,
     .wAttack = 300,
     .wElement = 0,
     .nElementMask = 0,
     .arrRegion = {{kHead, {25, 0, 0}, Fire(0)}},
     .byAnger2 = 0,
     .arrMotion = {{100, 100, {20}}},
     .byLowRate = 100,
     .byHighRate = 0,
     .byLevelRate = 100,
     .nSharpness = 2,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {{10, 25, 0, RESULT_LOW, 0}}},
    // White sharpness: B = 280 / 1.4 = 200, r = 90, P = 80 * 90 * 1.3 * 0.01 = 93.6 -> 93;
    // e = 80 * 1.3 = 104: high.
    {.szName = "WhiteSharpnessIsHigh",
     .eCategory = CATEGORY_SWORD,
     .wAttack = 280,
     .wElement = 0,
     .nElementMask = 0,
     .arrRegion = {{kHead, {80, 0, 0}, Fire(0)}},
     .byAnger2 = 0,
     .arrMotion = {{100, 100, {45}}},
     .byLowRate = 0,
     .byHighRate = 100,
     .byLevelRate = 100,
     .nSharpness = 5,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {{93, 80, 0, RESULT_HIGH, 0}}},
    // Cut rate 0: P = 0, so e = 0 (low). Element only: 230 * 0.1 = 23, E = 23 * 25 * 1.0
    // * 0.01 = 5.75, T = 5.75 -> 5 per hit, 10 for two.
    {.szName = "CutRate0IsLow",
     .eCategory = CATEGORY_SWORD,
     .wAttack = 280,
     .wElement = 230,
     .nElementMask = kFire,
     .arrRegion = {{kHead, {100, 100, 0}, Fire(25)}},
     .byAnger2 = 0,
     .arrMotion = {{0, 100, {30, 30}}},
     .byLowRate = 0,
     .byHighRate = 100,
     .byLevelRate = 100,
     .nSharpness = 3,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {{10, 100, 25, RESULT_LOW, 0}}},
    // No motions: one row per region, damage 0, normal, hitzones still shown.
    {.szName = "EmptyMotionList",
     .eCategory = CATEGORY_GREATSWORD,
     .wAttack = 960,
     .wElement = 300,
     .nElementMask = kFire,
     .arrRegion = {{kHead, {45, 60, 0}, Fire(20)}, {kTail, {30, 25, 0}, Fire(5)}},
     .byAnger2 = 0,
     .arrMotion = {},
     .byLowRate = 100,
     .byHighRate = 100,
     .byLevelRate = 100,
     .nSharpness = 3,
     .bAnger = 1,
     .nModifier = 0,
     .arrExpected = {{0, 45, 20, RESULT_NORMAL, 0}, {0, 30, 5, RESULT_NORMAL, 0}}},
    {.szName = "MonsterWithoutRegions",
     .eCategory = CATEGORY_GREATSWORD,
     .wAttack = 960,
     .wElement = 300,
     .nElementMask = kFire,
     .arrRegion = {},
     .byAnger2 = 0,
     .arrMotion = {{100, 100, {48}}},
     .byLowRate = 100,
     .byHighRate = 100,
     .byLevelRate = 100,
     .nSharpness = 3,
     .bAnger = 0,
     .nModifier = 0,
     .arrExpected = {}},
    // 224 / 1.4 = 160; B = (160 + 5) * 1.15 = 189.74999999999997, not 189.75 (1.15 is
    // a little below 1.15). mv 400: 400 * B rounds to 75899.99999999999,
    // r = 758.9999999999999, and P and T stay there, so the hit is 758. With B taken
    // as 189.75 every step would be exact and the hit 759.
    {.szName = "BaseAttack189_74999999999997",
     .eCategory = CATEGORY_SWORD,
     .wAttack = 224,
     .wElement = 0,
     .nElementMask = 0,
     .arrRegion = {{kHead, {100, 0, 0}, Fire(0)}},
     .byAnger2 = 0,
     .arrMotion = {{100, 100, {400}}},
     .byLowRate = 100,
     .byHighRate = 0,
     .byLevelRate = 100,
     .nSharpness = 2,
     .bAnger = 0,
     .nModifier = Bit(1) | Bit(17),
     .arrExpected = {{758, 100, 0, RESULT_NORMAL, 0}}},
    // Every bit 1..24: B = (200 + 121) * 1.8366075 = 589.5510075, r = 58.955...,
    // P = T = 58.955... -> 58 (a wrong bonus or a missing factor moves it by whole points).
    {.szName = "All24ModifierBits",
     .eCategory = CATEGORY_SWORD,
     .wAttack = 280,
     .wElement = 0,
     .nElementMask = 0,
     .arrRegion = {{kHead, {100, 0, 0}, Fire(0)}},
     .byAnger2 = 0,
     .arrMotion = {{100, 100, {10}}},
     .byLowRate = 100,
     .byHighRate = 0,
     .byLevelRate = 100,
     .nSharpness = 2,
     .bAnger = 0,
     .nModifier = 0x01FFFFFE,
     .arrExpected = {{58, 100, 0, RESULT_NORMAL, 0}}},
};

INSTANTIATE_TEST_SUITE_P(WorkedExamples, CalcDamageTest, ::testing::ValuesIn(kWorkedExamples),
                         RowName<DamageCase_t>);

// ---------------------------------------------------------------------------
// The last bits. Rows where a regrouped product or a division in place of the
// multiplication by 0.01 changes the damage or the kind. CSword, hit pattern and
// level rates 100, no element; the doubles of each step are given.
DamageCase_t LastBit(const char* szName, uint16_t wAttack, uint16_t wMotion, uint8_t byCut,
                     uint8_t byCutRate, int32_t nSharpness, uint32_t nModifier, uint8_t byAnger2,
                     int32_t bAnger, Row_t expected) {
  return {.szName = szName,
          .eCategory = CATEGORY_SWORD,
          .wAttack = wAttack,
          .wElement = 0,
          .nElementMask = 0,
          .arrRegion = {{kHead, {byCut, 0, 0}, Fire(0)}},
          .byAnger2 = byAnger2,
          .arrMotion = {{byCutRate, 100, {wMotion}}},
          .nSharpness = nSharpness,
          .bAnger = bAnger,
          .nModifier = nModifier,
          .arrExpected = {expected}};
}

const DamageCase_t kLastBits[] = {
    // B = 205 / 1.4 = 146.42857142857144, mv * B = 6296.4285714285725,
    // r = 62.96428571428573, 100 * 1.0 * r = 6296.428571428573, P = 62.96428571428574
    // (one bit above r), P / r = 1.0000000000000002, e = 100.00000000000003: high.
    // (P * 100) / r would be 100.0.
    LastBit("Rate100BitAboveIsHigh", 205, 43, 100, 100, 2, 0, 0, 0, {62, 100, 0, RESULT_HIGH, 0}),
    // The same with cut 25: P = 15.741071428571434, e = 25.000000000000007: normal.
    LastBit("Rate25BitAboveIsNormal", 205, 43, 25, 100, 2, 0, 0, 0, {15, 25, 0, RESULT_NORMAL, 0}),
    // Cut 80 at blue (ps 1.25), bonus 5 and factor 1.15: B = (185 + 5) * 1.15 =
    // 218.49999999999997, mv * B = 7647.499999999999, r = 76.475; 80 * 1.0 * r = 6118,
    // * 1.25 = 7647.5, P = 76.47500000000001, e = 100.00000000000003: high.
    // mv * (B * 0.01) would give r = 76.47499999999998.
    LastBit("OrderOfRawValue", 259, 35, 80, 100, 4, Bit(1) | Bit(17), 0, 0,
            {76, 80, 0, RESULT_HIGH, 0}),
    // 306 / 1.4 = 218.57142857142858, B = (218.57142857142858 + 5) * 1.15 =
    // 257.10714285714283, r = 115.69821428571427, P = r, e = 100.0: normal.
    // 306 / 1.4 * 1.15 + 5 * 1.15 would give B = 257.1071428571429.
    LastBit("OrderOfBaseAttack", 306, 45, 80, 100, 4, Bit(1) | Bit(17), 0, 0,
            {115, 80, 0, RESULT_NORMAL, 0}),
    // B = 203 / 1.4 = 145 exactly, r = P = T = 58; angry with anger 100 (a = 100):
    // (100 * 58) * 0.01 = 58 -> 58. 100 * (58 * 0.01) would be 100 * 0.58 =
    // 57.99999999999999 -> 57.
    LastBit("OrderOfAngerRate", 203, 40, 100, 100, 2, 0, 100, 1, {58, 100, 0, RESULT_NORMAL, 0}),
    // Cut 70, cut rate 58: B = 200 / 1.4 = 142.85714285714286, r = 71.42857142857143,
    // 58 * 0.01 = 0.58, 70 * 0.58 = 40.599999999999994, * r = 2899.9999999999995,
    // P = T = 28.999999999999996 -> 28, although the decimal value is 29; (70 * 58) * 0.01
    // would be 40.6 and give 29.0. e = 40.6: normal.
    LastBit("OrderOfMotionRate", 200, 50, 70, 58, 2, 0, 0, 0, {28, 70, 0, RESULT_NORMAL, 0}),
};

INSTANTIATE_TEST_SUITE_P(LastBits, CalcDamageTest, ::testing::ValuesIn(kLastBits),
                         RowName<DamageCase_t>);

// ---------------------------------------------------------------------------
// Saturation at the 32-bit limit.
//
// CSword of attack 65520: B = 65520 / 1.4 = 46800 (the quotient rounds to exactly
// 46800). Cut 250, cut rate 250, low rate 250, yellow (ps 1.0, es 0.75), level 250,
// angry with anger 206, so a = (200 - 206) mod 256 = 250. Every step is exact:
// r = 468 * mv, P = 625 * r * 2.5 * 0.01 = 7312.5 * mv, T = 2.5 * P, angry 2.5 * T,
// so a hit without element is 45703.125 * mv; e = 1562.5, high.
// mv 46987: P = 343592437.5 and the hit is 2147452734.375.
// Fire 250 adds E = element * 0.1 * 250 * 0.75 * 0.01 = element * 0.1875 before the
// level and the anger rate, so the hit becomes 6.25 * (P + E).
DamageCase_t NearLimit(const char* szName, uint16_t wElement, std::vector<Motion_t> arrMotion,
                       std::vector<Row_t> arrExpected) {
  return {.szName = szName,
          .eCategory = CATEGORY_SWORD,
          .wAttack = 65520,
          .wElement = wElement,
          .nElementMask = kFire,
          .arrRegion = {{kHead, {250, 0, 0}, Fire(250)}},
          .byAnger2 = 206,
          .arrMotion = std::move(arrMotion),
          .byLowRate = 250,
          .byHighRate = 0,
          .byLevelRate = 250,
          .nSharpness = 2,
          .bAnger = 1,
          .arrExpected = std::move(arrExpected)};
}

// Every value at the largest a data file can hold: attack 65535 (B = 46810.714...),
// motion value 65535, hitzones, rates and level 255, element 65535, white sharpness.
// r = 30677401.607..., P = 255 * 2.55 * r * 2.55 * 1.3 * 0.01 = 661275550.0957...,
// E = 6553.5 * 255 * 1.125 * 0.01 = 18800.353125, T = 2.55 * (P + E) = 1686300593.64...
DamageCase_t AllAtMaximum(const char* szName, std::vector<uint16_t> arrMotion, uint8_t byAnger2,
                          int32_t bAnger, int32_t nDamage) {
  return {.szName = szName,
          .eCategory = CATEGORY_SWORD,
          .wAttack = 65535,
          .wElement = 65535,
          .nElementMask = kFire,
          .arrRegion = {{kHead, {255, 255, 255}, Fire(255)}},
          .byAnger2 = byAnger2,
          .arrMotion = {{255, 255, std::move(arrMotion)}},
          .byLowRate = 255,
          .byHighRate = 255,
          .byLevelRate = 255,
          .nSharpness = 5,
          .bAnger = bAnger,
          .arrExpected = {{nDamage, 255, 255, RESULT_HIGH, 0}}};
}

const DamageCase_t kSaturation[] = {
    NearLimit("HitWithoutElement", 0, {{250, 0, {46987}}},
              {{2147452734, 250, 250, RESULT_HIGH, 0}}),
    // E = 4945.875: 6.25 * 343597383.375 = 2147483646.09375.
    NearLimit("HitJustBelowLimit", 26378, {{250, 0, {46987}}},
              {{2147483646, 250, 250, RESULT_HIGH, 0}}),
    // E = 4946.0625: 6.25 * 343597383.5625 = 2147483647.265625.
    NearLimit("HitAtLimit", 26379, {{250, 0, {46987}}}, {{kMaxDamage, 250, 250, RESULT_HIGH, 0}}),
    // E = 4946.25: 6.25 * 343597383.75 = 2147483648.4375, one past the 32-bit range.
    NearLimit("HitJustAboveLimit", 26380, {{250, 0, {46987}}},
              {{kMaxDamage, 250, 250, RESULT_HIGH, 0}}),
    // mv 46988: 2147498437.5.
    NearLimit("HitAboveLimit", 0, {{250, 0, {46988}}}, {{kMaxDamage, 250, 250, RESULT_HIGH, 0}}),
    // A second motion with cut rate 25 (0.25): mv 6 gives P = 62.5 * 2808 * 2.5 * 0.01
    // = 4387.5 and a hit of 27421.875; 2147452734 + 27421 = 2147480155 still fits.
    NearLimit("TotalJustBelowLimit", 0, {{250, 0, {46987}}, {25, 0, {6}}},
              {{2147480155, 250, 250, RESULT_HIGH, 0}}),
    // mv 7: a hit of 31992.1875; 2147452734 + 31992 = 2147484726 does not fit.
    NearLimit("TotalStopsAtLimit", 0, {{250, 0, {46987}}, {25, 0, {7}}},
              {{kMaxDamage, 250, 250, RESULT_HIGH, 0}}),
    // Two hits of 2147452734 would wrap a 32-bit sum; the total stays at the limit
    // through the small hit after them.
    NearLimit("TotalStaysAtLimit", 0, {{250, 0, {46987, 46987}}, {25, 0, {1}}},
              {{kMaxDamage, 250, 250, RESULT_HIGH, 0}}),
    AllAtMaximum("AllMaximumOneHit", {65535}, 0, 0, 1686300593),
    AllAtMaximum("AllMaximumTwoHits", {65535, 65535}, 0, 0, kMaxDamage),
    // Anger 201: a = 255, so the hit is 2.55 * 1686300593.64... = 4300066513.79...
    AllAtMaximum("AllMaximumAngry", {65535, 65535, 65535}, 201, 1, kMaxDamage),
};

INSTANTIATE_TEST_SUITE_P(Saturation, CalcDamageTest, ::testing::ValuesIn(kSaturation),
                         RowName<DamageCase_t>);

// ---------------------------------------------------------------------------
// Sharpness levels, inside and outside 0..5.
//
// CSword 280 (B = 200), motion value 50 (r = 100), cut 100, cut rate 100, low rate
// 100, high rate 50, fire 230 (23.0) on fire hitzone 30, level 100.
// Outside 0..5 no multipliers are found: both stay 0.0, the hit deals nothing, and
// e = 0 makes it low.
DamageCase_t Sharpness(const char* szName, int32_t nSharpness, int32_t nDamage,
                       eRESULT_KIND eKind) {
  return {.szName = szName,
          .eCategory = CATEGORY_SWORD,
          .wAttack = 280,
          .wElement = 230,
          .nElementMask = kFire,
          .arrRegion = {{kHead, {100, 0, 0}, Fire(30)}},
          .arrMotion = {{100, 100, {50}}},
          .byLowRate = 100,
          .byHighRate = 50,
          .nSharpness = nSharpness,
          .arrExpected = {{nDamage, 100, 30, eKind, 0}}};
}

const DamageCase_t kSharpnessLevels[] = {
    // Low rate 1.0, ps 0.5: P = 50; E = 690 * 0.25 * 0.01 = 1.725; 51.725.
    Sharpness("Red", 0, 51, RESULT_NORMAL),
    // Low rate 1.0, ps 1.0: P = 100 (e = 100, normal); E = 5.175; 105.175.
    Sharpness("Yellow", 2, 105, RESULT_NORMAL),
    // High rate 0.5, ps 1.125: P = 56.25; E = 6.9; 63.15.
    Sharpness("Green", 3, 63, RESULT_NORMAL),
    // High rate 0.5, ps 1.3: P = 65; E = 7.7625; 72.7625.
    Sharpness("White", 5, 72, RESULT_NORMAL),
    Sharpness("Minus1", -1, 0, RESULT_LOW),
    Sharpness("Six", 6, 0, RESULT_LOW),
    Sharpness("IntMax", INT_MAX, 0, RESULT_LOW),
    Sharpness("IntMin", INT_MIN, 0, RESULT_LOW),
};

INSTANTIATE_TEST_SUITE_P(Sharpness, CalcDamageTest, ::testing::ValuesIn(kSharpnessLevels),
                         RowName<DamageCase_t>);

// ---------------------------------------------------------------------------
// Anger. CSword 280 (B = 200), motion value 50, cut 100, all rates 100, yellow:
// P = T = 100 exactly, e = 100 (normal), and angry the hit is (a * 100) * 0.01 = a,
// with a = (200 - anger) taken modulo 256.
DamageCase_t Anger(const char* szName, uint8_t byAnger2, int32_t bAnger, int32_t nDamage) {
  return {.szName = szName,
          .eCategory = CATEGORY_SWORD,
          .wAttack = 280,
          .wElement = 0,
          .nElementMask = 0,
          .arrRegion = {{kHead, {100, 0, 0}, Fire(0)}},
          .byAnger2 = byAnger2,
          .arrMotion = {{100, 100, {50}}},
          .nSharpness = 2,
          .bAnger = bAnger,
          .arrExpected = {{nDamage, 100, 0, RESULT_NORMAL, 0}}};
}

const DamageCase_t kAnger[] = {
    Anger("NotAngry", 255, 0, 100),
    Anger("Anger90", 90, 1, 110),
    Anger("Anger0", 0, 1, 200),
    // The kind follows e, not the damage: no damage, still normal.
    Anger("Anger200", 200, 1, 0),
    Anger("Anger201Wraps", 201, 1, 255),
    Anger("Anger255Wraps", 255, 1, 201),
    Anger("AngerFlagAnyNonzero", 90, -1, 110),
};

INSTANTIATE_TEST_SUITE_P(Anger, CalcDamageTest, ::testing::ValuesIn(kAnger), RowName<DamageCase_t>);

// ---------------------------------------------------------------------------
// Motion lists. CSword 280 (B = 200), green (ps 1.125, es 1.0), high rate 100, level
// 100, cut 40, fire 230 (23.0) on fire hitzone 25: E = 5.75 on every hit.
//   0 normal: cut rate 100, mv 50: r = 100, P = 45 (e = 45), hit 50.75 -> 50
//   1 zero:   cut rate 100, mv 0: r = 0, P = 0, low; hit 5.75 -> 5
//   2 high:   cut rate 255, mv 10: r = 20, P = 40 * 2.55 * 20 * 1.125 * 0.01 = 22.95
//             (e = 114.75); hit 28.7 -> 28
//   3 low:    cut rate 10, mv 100: r = 200, P = 9 (e = 4.5); hit 14.75 -> 14
//   4 none:   no motion values
//   5 triple: cut rate 100, mv 50 three times: 3 * 50 (not 152.25 -> 152)
DamageCase_t Motions(const char* szName, std::vector<size_t> arrOrder, int32_t nDamage,
                     eRESULT_KIND eKind) {
  return {.szName = szName,
          .eCategory = CATEGORY_SWORD,
          .wAttack = 280,
          .wElement = 230,
          .nElementMask = kFire,
          .arrRegion = {{kHead, {40, 90, 0}, Fire(25)}},
          .arrMotion = {{100, 90, {50}},
                        {100, 90, {0}},
                        {255, 90, {10}},
                        {10, 90, {100}},
                        {100, 90, {}},
                        {100, 90, {50, 50, 50}}},
          .arrOrder = std::move(arrOrder),
          .arrExpected = {{nDamage, 40, 25, eKind, 0}}};
}

const DamageCase_t kMotionLists[] = {
    Motions("MotionValue0DealsElement", {1}, 5, RESULT_LOW),
    Motions("OnlyMotionsWithoutValues", {4, 4}, 0, RESULT_NORMAL),
    Motions("MotionWithoutValuesKeepsKind", {2, 4}, 28, RESULT_HIGH),
    Motions("KindOfLastHitLow", {2, 3}, 42, RESULT_LOW),
    Motions("KindOfLastHitHigh", {3, 2, 3, 2}, 84, RESULT_HIGH),
    Motions("EachHitTruncated", {5}, 150, RESULT_NORMAL),
    Motions("RepeatsInOrder", {0, 1, 0}, 105, RESULT_NORMAL),
    Motions("ZeroHitLast", {0, 1}, 55, RESULT_LOW),
};

INSTANTIATE_TEST_SUITE_P(MotionLists, CalcDamageTest, ::testing::ValuesIn(kMotionLists),
                         RowName<DamageCase_t>);

// ---------------------------------------------------------------------------
// Element masks. As the motion lists' "normal" hit (P = 45), with element hitzones
// fire 25, water 10, thunder 30, ice 15, dragon 5, and 90 in the status entries:
// E = 23 * x * 0.01.
DamageCase_t Mask(const char* szName, uint32_t nMask, int32_t nDamage, uint8_t byElement) {
  return {.szName = szName,
          .eCategory = CATEGORY_SWORD,
          .wAttack = 280,
          .wElement = 230,
          .nElementMask = nMask,
          .arrRegion = {{kHead, {40, 90, 0}, {0, 25, 10, 30, 15, 5, 90, 90, 90}}},
          .arrMotion = {{100, 90, {50}}},
          .arrExpected = {{nDamage, 40, byElement, RESULT_NORMAL, 0}}};
}

const DamageCase_t kElementMasks[] = {
    Mask("NoElement", 0x000, 45, 0),
    // Status kinds never deal damage (entries of 90 would add 20.7).
    Mask("StatusBitsOnly", 0x1C0, 45, 0),
    Mask("Bit0Only", 0x001, 45, 0),
    Mask("Bit0BeforeFire", 0x003, 45, 0),
    // 45 + 5.75.
    Mask("FireAndIce", 0x012, 50, 25),
    Mask("FireAndPoison", 0x042, 50, 25),
    // 45 + 2.3.
    Mask("WaterAndThunder", 0x00C, 47, 10),
    // 45 + 1.15.
    Mask("DragonAndSleep", 0x120, 46, 5),
    Mask("AllButBit0", 0xFFFFFFFE, 50, 25),
};

INSTANTIATE_TEST_SUITE_P(ElementMasks, CalcDamageTest, ::testing::ValuesIn(kElementMasks),
                         RowName<DamageCase_t>);

// ---------------------------------------------------------------------------
// Damage types. Motion value 20, cut rate 100, impact rate 60, green, no element;
// lance 460 / 2.3 and hammer 1040 / 5.2 and sword 280 / 1.4 all give B = 200 up to
// the last bit, so r = 40.
//   cut 45:    P = 45 * 1.0 * 40 * 1.125 * 0.01 = 20.25 -> 20
//   cut 46:    20.7 -> 20
//   impact 45: P = 45 * 0.6 * 40 * 1.125 * 0.01 = 12.15 -> 12
//   cut 30:    13.5 -> 13
DamageCase_t Type(const char* szName, eWEAPON_CATEGORY eCategory, uint16_t wAttack,
                  std::vector<Region_t> arrRegion, std::vector<Row_t> arrExpected) {
  return {.szName = szName,
          .eCategory = eCategory,
          .wAttack = wAttack,
          .wElement = 0,
          .nElementMask = 0,
          .arrRegion = std::move(arrRegion),
          .arrMotion = {{100, 60, {20}}},
          .arrExpected = std::move(arrExpected)};
}

const DamageCase_t kDamageTypes[] = {
    Type("LanceTieGivesCut", CATEGORY_LANCE, 460, {{kHead, {45, 45, 99}, Fire(0)}},
         {{20, 45, 0, RESULT_NORMAL, 0}}),
    Type("GunLanceTieGivesCut", CATEGORY_GUNLANCE, 460, {{kHead, {45, 45, 99}, Fire(0)}},
         {{20, 45, 0, RESULT_NORMAL, 0}}),
    Type("LanceCutLarger", CATEGORY_LANCE, 460, {{kHead, {46, 45, 99}, Fire(0)}},
         {{20, 46, 0, RESULT_NORMAL, 0}}),
    Type("LanceImpactLarger", CATEGORY_LANCE, 460, {{kHead, {44, 45, 99}, Fire(0)}},
         {{12, 45, 0, RESULT_NORMAL, 1}}),
    Type("LancePerRegion", CATEGORY_LANCE, 460,
         {{kHead, {30, 45, 99}, Fire(0)}, {kTail, {45, 30, 99}, Fire(0)}},
         {{12, 45, 0, RESULT_NORMAL, 1}, {20, 45, 0, RESULT_NORMAL, 0}}),
    Type("HammerAlwaysImpact", CATEGORY_HUMMER, 1040, {{kHead, {60, 45, 99}, Fire(0)}},
         {{12, 45, 0, RESULT_NORMAL, 1}}),
    Type("HuntingHornAlwaysImpact", CATEGORY_HUNTINGHORN, 1040, {{kHead, {60, 45, 99}, Fire(0)}},
         {{12, 45, 0, RESULT_NORMAL, 1}}),
    Type("SwordAlwaysCut", CATEGORY_SWORD, 280, {{kHead, {30, 60, 99}, Fire(0)}},
         {{13, 30, 0, RESULT_NORMAL, 0}}),
};

INSTANTIATE_TEST_SUITE_P(DamageTypes, CalcDamageTest, ::testing::ValuesIn(kDamageTypes),
                         RowName<DamageCase_t>);

}  // namespace
