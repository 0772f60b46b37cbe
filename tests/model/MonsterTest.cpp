// Lookups of CMonster: region names, the physical index a damage type picks,
// and the physical and element hitzones, including indexes outside the regions.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <string>

#include "model/Monster.h"
#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

const std::string kMonsterName = velkar::ToSjis(u8"リオレウス");
const std::string kHead = velkar::ToSjis(u8"頭");
const std::string kTail = velkar::ToSjis(u8"尻尾");

// Element entries 6..8 are never filled by the loader; here they hold values so
// that a lookup which wrongly reads a status entry shows up.
constexpr std::array<uint8_t, 9> kElements{0, 11, 22, 33, 44, 55, 66, 77, 88};

constexpr uint8_t kUntouched = 0xAB;

class MonsterTest : public ::testing::Test {
protected:
  MonsterTest() : m_monster(kMonsterName, 10, 90, 30) {
    m_monster.AddRegion(kHead, {45, 40, 7}, kElements);
    m_monster.AddRegion(kTail, {30, 60, 9}, kElements);
  }

  CMonster m_monster;
};

TEST_F(MonsterTest, KeepsNameAngerAndRegionsInOrder) {
  EXPECT_EQ(m_monster.GetName(), kMonsterName);
  EXPECT_EQ(m_monster.GetAnger(), 90) << "damage uses the second anger value";
  EXPECT_EQ(m_monster.GetAnger1(), 10);
  EXPECT_EQ(m_monster.GetAnger3(), 30);
  ASSERT_EQ(m_monster.GetRegionCount(), 2);
  EXPECT_EQ(m_monster.GetRegionName(0), kHead);
  EXPECT_EQ(m_monster.GetRegionName(1), kTail);
  const auto& regions = m_monster.GetRegions();
  EXPECT_EQ(regions[1].byPhys, (std::array<uint8_t, 3>{30, 60, 9}));
  EXPECT_EQ(regions[1].byElement, kElements);
}

TEST_F(MonsterTest, AddRegionCopiesTheName) {
  std::string strName = kHead;
  CMonster monster(kMonsterName, 0, 0, 0);
  EXPECT_TRUE(monster.AddRegion(strName, {1, 2, 3}, kElements));
  strName[0] = 'X';
  EXPECT_EQ(monster.GetRegionName(0), kHead);
}

// Every index outside 0..count-1 is answered without touching memory:
// "Error" for the name, false and the out value left alone for the hitzones.
class MonsterBadIndexTest : public MonsterTest, public ::testing::WithParamInterface<int> {};

TEST_P(MonsterBadIndexTest, NameIsErrorAndHitzonesFail) {
  const int nIndex = GetParam();
  EXPECT_EQ(m_monster.GetRegionName(nIndex), "Error");

  uint8_t byPhys = kUntouched;
  EXPECT_FALSE(m_monster.GetPhysHitzone(nIndex, DAMAGE_CUT, byPhys));
  EXPECT_FALSE(m_monster.GetPhysHitzone(nIndex, DAMAGE_CUT_OR_IMPACT, byPhys));
  EXPECT_EQ(byPhys, kUntouched);

  uint8_t byElement = kUntouched;
  EXPECT_FALSE(m_monster.GetElementHitzone(nIndex, 1 << ELEMENT_FIRE, byElement));
  EXPECT_EQ(byElement, kUntouched);
}

std::string IndexName(const ::testing::TestParamInfo<int>& row) {
  const int n = row.param;
  if (n == INT_MIN) return "IntMin";
  if (n == INT_MAX) return "IntMax";
  return n < 0 ? "Minus" + std::to_string(-n) : "Index" + std::to_string(n);
}

INSTANTIATE_TEST_SUITE_P(Indexes, MonsterBadIndexTest,
                         ::testing::Values(2 /* the count */, 3, -1, INT_MAX, INT_MIN), IndexName);

TEST(MonsterWithoutRegions, EveryLookupFails) {
  const CMonster monster(kMonsterName, 0, 0, 0);
  EXPECT_EQ(monster.GetRegionCount(), 0);
  EXPECT_EQ(monster.GetRegionName(0), "Error");
  uint8_t byValue = kUntouched;
  EXPECT_FALSE(monster.GetPhysHitzone(0, DAMAGE_IMPACT, byValue));
  EXPECT_FALSE(monster.GetElementHitzone(0, 0, byValue));
  EXPECT_EQ(byValue, kUntouched);
}

// GetPhysIndex and GetPhysHitzone for one region with the given cut and impact
// values (third physical value 99, which no damage type may select).
struct PhysCase_t {
  const char* szName;
  uint8_t byCut;
  uint8_t byImpact;
  eDAMAGE_TYPE eType;
  int nIndex;
  uint8_t byHitzone;
};

class PhysIndexTest : public ::testing::TestWithParam<PhysCase_t> {};

TEST_P(PhysIndexTest, PicksCutOrImpact) {
  const PhysCase_t& c = GetParam();
  CMonster monster(kMonsterName, 0, 0, 0);
  monster.AddRegion(kHead, {c.byCut, c.byImpact, 99}, kElements);
  EXPECT_EQ(monster.GetPhysIndex(0, c.eType), c.nIndex);
  uint8_t byValue = 0;
  EXPECT_TRUE(monster.GetPhysHitzone(0, c.eType, byValue));
  EXPECT_EQ(byValue, c.byHitzone);
}

const PhysCase_t kPhysCases[] = {
    {"CutAlwaysCut", 10, 200, DAMAGE_CUT, 0, 10},
    {"ImpactAlwaysImpact", 200, 10, DAMAGE_IMPACT, 1, 10},
    {"TieGivesCut", 45, 45, DAMAGE_CUT_OR_IMPACT, 0, 45},
    {"ImpactLarger", 40, 45, DAMAGE_CUT_OR_IMPACT, 1, 45},
    {"CutLargerByOne", 46, 45, DAMAGE_CUT_OR_IMPACT, 0, 46},
    {"ImpactLargerByOne", 44, 45, DAMAGE_CUT_OR_IMPACT, 1, 45},
    {"TieAtZero", 0, 0, DAMAGE_CUT_OR_IMPACT, 0, 0},
    {"TieAt255", 255, 255, DAMAGE_CUT_OR_IMPACT, 0, 255},
    // Values above 127 compare as unsigned: 200 is larger than 100.
    {"UnsignedCutAbove127", 200, 100, DAMAGE_CUT_OR_IMPACT, 0, 200},
    {"UnsignedImpactAbove127", 100, 200, DAMAGE_CUT_OR_IMPACT, 1, 200},
    {"ImpactMaxCutZero", 0, 255, DAMAGE_CUT_OR_IMPACT, 1, 255},
};

INSTANTIATE_TEST_SUITE_P(Regions, PhysIndexTest, ::testing::ValuesIn(kPhysCases),
                         RowName<PhysCase_t>);

TEST(PhysIndex, CutAndImpactIgnoreTheRegionIndex) {
  const CMonster monster(kMonsterName, 0, 0, 0);
  EXPECT_EQ(monster.GetPhysIndex(5, DAMAGE_CUT), 0);
  EXPECT_EQ(monster.GetPhysIndex(-1, DAMAGE_IMPACT), 1);
}

// GetElementHitzone: the lowest set bit among 0..5 picks the entry; status
// bits 6..8 and bits above are never looked at.
struct ElementCase_t {
  const char* szName;
  uint32_t nMask;
  uint8_t byExpected;
};

class ElementHitzoneTest : public MonsterTest,
                           public ::testing::WithParamInterface<ElementCase_t> {};

TEST_P(ElementHitzoneTest, LowestElementBitWins) {
  const ElementCase_t& c = GetParam();
  uint8_t byValue = kUntouched;
  EXPECT_TRUE(m_monster.GetElementHitzone(1, static_cast<int32_t>(c.nMask), byValue));
  EXPECT_EQ(byValue, c.byExpected);
}

const ElementCase_t kElementCases[] = {
    {"NoElement", 0x000, 0},
    {"Bit0Only", 0x001, 0},
    {"Fire", 0x002, 11},
    {"Dragon", 0x020, 55},
    {"FireAndIce", 0x012, 11},
    {"WaterAndIce", 0x014, 22},
    {"Bit0BeatsFire", 0x003, 0},
    {"FireAndPoison", 0x042, 11},
    {"DragonAndSleep", 0x120, 55},
    {"PoisonOnly", 0x040, 0},
    {"ParalysisOnly", 0x080, 0},
    {"SleepOnly", 0x100, 0},
    {"AllStatusBits", 0x1C0, 0},
    {"HighBitsOnly", 0xFFFFFFC0, 0},
    {"SignBitAndThunder", 0x80000008, 33},
    {"AllBits", 0xFFFFFFFF, 0},
    {"AllBitsButBit0", 0xFFFFFFFE, 11},
};

INSTANTIATE_TEST_SUITE_P(Masks, ElementHitzoneTest, ::testing::ValuesIn(kElementCases),
                         RowName<ElementCase_t>);

}  // namespace
