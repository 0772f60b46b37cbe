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
#include "support/RecordPrinters.h"
#include "support/RowName.h"

using namespace calctest;

namespace {

struct RestoreRow_t {
  const char* szName;
  std::u8string_view strSwordIni;              // converted between saving and restoring
  std::function<void(CCalculator&)> expected;  // the clicks giving the same picture
  std::vector<RestoreMiss_t> arrMiss;          // what the restore reports as gone
};

// What a window shows of a calculator.
std::vector<std::string> PictureOf(const CCalculator& calc) {
  std::vector<std::string> arrText{calc.GetAttackText(), calc.GetElementText(),
                                   calc.GetSharpnessText()};
  for (int nSelection :
       {calc.GetCategorySelection(), calc.GetWeaponSelection(), calc.GetMonsterSelection(),
        calc.GetLevelSelection(), calc.GetHitCorrectionSelection(), calc.GetSharpnessPosition()}) {
    arrText.push_back(std::to_string(nSelection));
  }
  for (const ResultRow_t& row : calc.GetResultRows()) arrText.push_back(row.arrCell[3]);
  return arrText;
}

// The monster, level, anger and modifiers every row keeps.
void PlayTheRest(CCalculator& calc) {
  calc.SelectMonster(1);
  calc.SelectLevel(1);
  calc.SetAnger(true);
  calc.SetModifier(1019, true);
  calc.SetModifier(1021, true);
}

const RestoreRow_t kRestoreRows[] = {
    {"WeaponsAndHitPatternsMoved",
     u8"[Action]\r\n1=新技,10\r\n2=斬り下ろし,20\r\n3=突き,B50,10,12\r\n"
     u8"[HitPattern]\r\n1=弱点,80,120\r\n2=通常,100,100\r\n"
     u8"[Weapon]\r\n1=新剣,300,0,0,2,0\r\n2=火毒剣,160,66,250,4,0\r\n",
     [](CCalculator& calc) {
       calc.SelectWeapon(1);
       for (int nMotion : {2, 1, 2}) calc.AddChosenMotion(nMotion);
       calc.ReleaseSharpness(5);
       PlayTheRest(calc);
       calc.SelectHitCorrection(0);
     },
     {}},
    // Without its weapon the sharpness stays where it was; a renamed motion
    // is left out.
    {"MotionRenamedAndWeaponGone",
     u8"[Action]\r\n1=斬り下ろし,20\r\n2=突き改,B50,10,12\r\n"
     u8"[HitPattern]\r\n1=通常,100,100\r\n2=弱点,80,120\r\n"
     u8"[Weapon]\r\n1=ハンターナイフ,280,0,0,3,0\r\n",
     [](CCalculator& calc) {
       calc.AddChosenMotion(kSlash);
       PlayTheRest(calc);
       calc.SelectHitCorrection(1);
     },
     // The thrust stood twice in the list and is named once.
     {{eSETUP_PART::Weapon, ToSjis(u8"火毒剣")}, {eSETUP_PART::Motion, ToSjis(u8"突き")}}},
};

class RestoreTest : public CalculatorFixture, public ::testing::WithParamInterface<RestoreRow_t> {};

TEST_P(RestoreTest, RestoreEndsWhereThePlayersClicksWould) {
  Start();
  m_calc.SelectWeapon(kFireSword);
  for (int nMotion : {kThrust, kSlash, kThrust}) m_calc.AddChosenMotion(nMotion);
  m_calc.ReleaseSharpness(5);
  PlayTheRest(m_calc);
  m_calc.SelectHitCorrection(1);
  CSetupStore store(m_dir.Path() + "config");
  ASSERT_TRUE(store.SaveLastSetup(CaptureSetup(m_calc))) << store.Error();
  m_dir.WriteText("Sword.ini", GetParam().strSwordIni);
  ASSERT_TRUE(m_store->ConvertWeaponIni(0));

  // The converted data in a store of its own, as the window takes it.
  CDataManager converted(m_dir.Path());
  converted.LoadAll();
  CCalculator expected(converted);
  expected.LoadAll();
  GetParam().expected(expected);
  const std::vector<std::string> arrExpected = PictureOf(expected);
  const Setup_t expectedSetup = CaptureSetup(expected);

  CCalculator restored(converted);
  restored.LoadAll();
  // Boxes ticked before, the last one among them, are cleared by the restore.
  restored.SetModifier(1033, true);
  restored.SetModifier(1041, true);
  EXPECT_EQ(RestoreSetup(restored, store.LoadLastSetup().value()), GetParam().arrMiss);
  EXPECT_EQ(PictureOf(restored), arrExpected);
  EXPECT_EQ(CaptureSetup(restored), expectedSetup);
}

INSTANTIATE_TEST_SUITE_P(Setups, RestoreTest, ::testing::ValuesIn(kRestoreRows),
                         RowName<RestoreRow_t>);

}  // namespace
