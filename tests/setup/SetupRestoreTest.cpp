// A setup played in the calculator, saved through the store, the data files
// converted again with records renamed, removed or moved, and the setup
// restored into a fresh calculator: it must end exactly where a player's clicks
// on the new data would leave it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "calc/CalcTestData.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"
#include "support/RowName.h"

using namespace calctest;

namespace {

using Play = std::function<void(CCalculator&)>;

// Sword lists as the fixture writes them, and the motions picked below.
enum : int { kWeakSpot = 1 };
enum : int { kKirin = 1, kHighRank = 1 };

struct RestoreRow_t {
  const char* szName;
  Play play;  // the player's clicks on the data as the fixture writes it
  // Sources written and converted again between saving and restoring.
  std::function<void(const CTestDataDir&, CDataManager&)> change;
  Play expected;  // the clicks that give the same picture on the new data
};

// What a window shows of a calculator.
struct Picture_t {
  Setup_t setup;
  std::vector<int> arrSelection;
  std::vector<std::string> arrText;
  std::vector<std::array<std::string, 4>> arrCell;

  bool operator==(const Picture_t&) const = default;
};

Picture_t PictureOf(const CCalculator& calc) {
  Picture_t picture{
      CaptureSetup(calc),
      {calc.GetCategorySelection(), calc.GetWeaponSelection(), calc.GetMonsterSelection(),
       calc.GetLevelSelection(), calc.GetHitCorrectionSelection(), calc.GetSharpnessPosition()},
      {calc.GetAttackText(), calc.GetElementText(), calc.GetSharpnessText()},
      {}};
  for (const ResultRow_t& row : calc.GetResultRows()) picture.arrCell.push_back(row.arrCell);
  return picture;
}

void PlayFull(CCalculator& calc) {
  calc.SelectWeapon(kFireSword);
  calc.AddChosenMotion(kThrust);
  calc.AddChosenMotion(kSlash);
  calc.AddChosenMotion(kThrust);
  calc.ReleaseSharpness(5);
  calc.SelectMonster(kKirin);
  calc.SelectLevel(kHighRank);
  calc.SelectHitCorrection(kWeakSpot);
  calc.SetAnger(true);
  calc.SetModifier(1019, true);
  calc.SetModifier(1021, true);
}

void Reconvert(const CTestDataDir& dir, CDataManager& store, const char* pszIni,
               std::u8string_view text, int nCategory) {
  dir.WriteText(pszIni, text);
  ASSERT_TRUE(nCategory < 0 ? store.ConvertMonsterIni() : store.ConvertWeaponIni(nCategory));
}

const RestoreRow_t kRestoreRows[] = {
    {"SameData", PlayFull, nullptr, PlayFull},
    {"WeaponsMovedInTheList", PlayFull,
     [](const CTestDataDir& dir, CDataManager& store) {
       Reconvert(dir, store, "Sword.ini",
                 u8"[Action]\r\n1=新技,10\r\n2=斬り下ろし,20\r\n3=突き,B50,10,12\r\n"
                 u8"[HitPattern]\r\n1=弱点,80,120\r\n2=通常,100,100\r\n"
                 u8"[Weapon]\r\n1=新剣,300,0,0,2,0\r\n2=火毒剣,160,66,250,4,0\r\n",
                 0);
     },
     [](CCalculator& calc) {
       calc.SelectWeapon(1);
       calc.AddChosenMotion(2);
       calc.AddChosenMotion(1);
       calc.AddChosenMotion(2);
       calc.ReleaseSharpness(5);
       calc.SelectMonster(kKirin);
       calc.SelectLevel(kHighRank);
       calc.SelectHitCorrection(0);
       calc.SetAnger(true);
       calc.SetModifier(1019, true);
       calc.SetModifier(1021, true);
     }},
    {"MotionRenamedAndWeaponGone", PlayFull,
     [](const CTestDataDir& dir, CDataManager& store) {
       Reconvert(dir, store, "Sword.ini",
                 u8"[Action]\r\n1=斬り下ろし,20\r\n2=突き改,B50,10,12\r\n"
                 u8"[HitPattern]\r\n1=通常,100,100\r\n2=弱点,80,120\r\n"
                 u8"[Weapon]\r\n1=ハンターナイフ,280,0,0,3,0\r\n",
                 0);
     },
     [](CCalculator& calc) {
       calc.AddChosenMotion(kSlash);
       calc.SelectMonster(kKirin);
       calc.SelectLevel(kHighRank);
       calc.SelectHitCorrection(kWeakSpot);
       calc.SetAnger(true);
       calc.SetModifier(1019, true);
       calc.SetModifier(1021, true);
     }},
    {"MonsterAndLevelGone", PlayFull,
     [](const CTestDataDir& dir, CDataManager& store) {
       Reconvert(dir, store, "Monster.ini",
                 u8"[Monster]\r\n0=ドラゴン\r\n[ドラゴン]\r\nAnger=110,90,120\r\n"
                 u8"0=頭,45,60,10,20,10,5,30,0\r\n[Level]\r\n1=下位,100\r\n",
                 -1);
     },
     [](CCalculator& calc) {
       calc.SelectWeapon(kFireSword);
       calc.AddChosenMotion(kThrust);
       calc.AddChosenMotion(kSlash);
       calc.AddChosenMotion(kThrust);
       calc.ReleaseSharpness(5);
       calc.SelectHitCorrection(kWeakSpot);
       calc.SetAnger(true);
       calc.SetModifier(1019, true);
       calc.SetModifier(1021, true);
     }},
    {"CategoryGone",
     [](CCalculator& calc) {
       calc.SelectCategory(kListGreatSword);
       calc.SelectWeapon(0);
       calc.AddChosenMotion(0);
       calc.SelectMonster(kKirin);
       calc.SetModifier(1040, true);
     },
     [](const CTestDataDir& dir, CDataManager& store) {
       dir.Remove("GreatSword.dat");
       store.Clear();
     },
     [](CCalculator& calc) {
       calc.SelectMonster(kKirin);
       calc.SetModifier(1040, true);
     }},
};

class RestoreTest : public CalculatorFixture, public ::testing::WithParamInterface<RestoreRow_t> {};

TEST_P(RestoreTest, RestoreEndsWhereThePlayersClicksWould) {
  const RestoreRow_t& row = GetParam();
  CTestDataDir config;
  Start();
  row.play(m_calc);
  CSetupStore store(config.Path());
  ASSERT_TRUE(store.SaveLastSetup(CaptureSetup(m_calc))) << store.Error();
  if (row.change) row.change(m_dir, m_store.Store());

  // Loading appends to the store: each calculator starts on a cleared one
  // and is done with before the next clears it.
  m_store->Clear();
  CCalculator expected;
  expected.LoadAll();
  row.expected(expected);
  const Picture_t expectedPicture = PictureOf(expected);

  m_store->Clear();
  CCalculator restored;
  restored.LoadAll();
  const std::optional<Setup_t> setup = store.LoadLastSetup();
  ASSERT_TRUE(setup);
  RestoreSetup(restored, *setup);
  EXPECT_EQ(PictureOf(restored), expectedPicture);
  if (restored.GetSelectedWeapon()) {
    EXPECT_FALSE(restored.GetResultRows().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Setups, RestoreTest, ::testing::ValuesIn(kRestoreRows),
                         RowName<RestoreRow_t>);

// Loading a build over another setup: ticks, anger and motions of the setup
// on show must not survive where the build has none.
TEST_F(CalculatorFixture, RestoreOverAnotherSetupLeavesNothingOfIt) {
  Start();
  PlayFull(m_calc);
  const Setup_t full = CaptureSetup(m_calc);
  Setup_t plain;
  plain.nCategory = 0;
  plain.strWeapon = ToSjis(u8"ハンターナイフ");
  plain.arrMotion = {ToSjis(u8"斬り下ろし")};
  RestoreSetup(m_calc, plain);
  const Picture_t plainPicture = PictureOf(m_calc);
  RestoreSetup(m_calc, full);
  EXPECT_EQ(CaptureSetup(m_calc), full);

  m_store->Clear();
  CCalculator expected;
  expected.LoadAll();
  expected.SelectWeapon(kKnife);
  expected.AddChosenMotion(kSlash);
  // The build names no monster or level: those on show stay. The category's
  // new hit correction list starts at its first entry.
  expected.SelectMonster(kKirin);
  expected.SelectLevel(kHighRank);
  EXPECT_EQ(plainPicture, PictureOf(expected));
}

}  // namespace
