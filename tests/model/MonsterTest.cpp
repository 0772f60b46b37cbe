// CMonster's lookups: region names, the physical value a damage type picks,
// the element hitzone a mask picks, and indexes outside the regions.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>

#include "model/Monster.h"

namespace {

// Entries 6..8 (status) hold values so that a lookup which reads them shows.
constexpr std::array<uint8_t, 9> kElements{0, 11, 22, 33, 44, 55, 66, 77, 88};

// Regions are copies; an index outside them gives "Error" and touches nothing.
TEST(Monster, RegionsAreCopiedAndLookedUpOnlyInside) {
  std::string strName = "head";
  CMonster monster("m", 10, 90, 30);
  EXPECT_TRUE(monster.AddRegion(strName, {1, 2, 3}, kElements));
  strName[0] = 'X';
  EXPECT_EQ(monster.GetRegionName(0), "head");
  for (const int nIndex : {1, -1, INT_MIN}) {
    uint8_t byValue = 0xAB;
    EXPECT_EQ(monster.GetRegionName(nIndex), "Error");
    EXPECT_FALSE(monster.GetPhysHitzone(nIndex, DAMAGE_CUT_OR_IMPACT, byValue)) << nIndex;
    EXPECT_FALSE(monster.GetElementHitzone(nIndex, 2, byValue)) << nIndex;
    EXPECT_EQ(byValue, 0xAB) << nIndex;
  }
}

// Cut or impact: the damage type decides, or for both the larger value (cut
// on a tie, unsigned comparison); a type the game does not know reads cut.
TEST(Monster, PhysicalIndexAndHitzoneOfEachDamageType) {
  CMonster monster("m", 0, 0, 0);
  monster.AddRegion("tie", {45, 45, 99}, kElements);
  monster.AddRegion("impact", {44, 45, 99}, kElements);
  monster.AddRegion("cut", {200, 100, 99}, kElements);
  const struct {
    int nRegion;
    eDAMAGE_TYPE eType;
    int nIndex;
    uint8_t byHitzone;
  } arrCase[] = {{2, DAMAGE_IMPACT, 1, 100},        {1, DAMAGE_CUT, 0, 44},
                 {0, DAMAGE_CUT_OR_IMPACT, 0, 45},  {1, DAMAGE_CUT_OR_IMPACT, 1, 45},
                 {2, DAMAGE_CUT_OR_IMPACT, 0, 200}, {1, static_cast<eDAMAGE_TYPE>(2), 0, 44}};
  for (const auto& c : arrCase) {
    EXPECT_EQ(monster.GetPhysIndex(c.nRegion, c.eType), c.nIndex) << c.nRegion << " " << c.eType;
    uint8_t byValue = 0;
    EXPECT_TRUE(monster.GetPhysHitzone(c.nRegion, c.eType, byValue));
    EXPECT_EQ(byValue, c.byHitzone) << c.nRegion << " " << c.eType;
  }
}

// The lowest set bit among 0..5 picks the entry (bit 0: entry 0); status bits
// 6..8 and the bits above are never looked at.
TEST(Monster, ElementHitzoneOfTheLowestElementBit) {
  CMonster monster("m", 0, 0, 0);
  monster.AddRegion("r", {1, 2, 3}, kElements);
  const std::pair<uint32_t, uint8_t> arrCase[] = {{0x000, 0},      {0x003, 0}, {0x014, 22},
                                                  {0x120, 55},     {0x1C0, 0}, {0x80000008, 33},
                                                  {0xFFFFFFFE, 11}};
  for (const auto& [nMask, byExpected] : arrCase) {
    uint8_t byValue = 0xAB;
    EXPECT_TRUE(monster.GetElementHitzone(0, static_cast<int32_t>(nMask), byValue));
    EXPECT_EQ(byValue, byExpected) << std::hex << nMask;
  }
}

}  // namespace
