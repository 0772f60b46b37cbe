// CCalculator driven as the window drives it, on the data set of CalcTestData.h.
// Hand calculations use the damage steps: base attack B = attack / coefficient
// (+ bonus) x factor, raw r = mv x B x 0.01, physical P = p x rate% x r x
// hit% x sharpness x 0.01, then x level% and, when angry, x (200 - anger 2)%.
#include <gtest/gtest.h>

#include "CalcTestData.h"
#include "VelkarTexts.h"

using namespace calctest;

namespace {

std::vector<std::string> Names(const std::vector<const CAction*>& arrAction) {
  std::vector<std::string> arrName;
  for (const CAction* pAction : arrAction) arrName.push_back(pAction->GetName());
  return arrName;
}

}  // namespace

TEST_F(CalculatorFixture, BeforeLoadAllEverythingIsEmptyAndTextsAreInitial) {
  EXPECT_TRUE(m_calc.GetCategories().empty());
  EXPECT_EQ(m_calc.GetCategorySelection(), NO_SELECTION);
  EXPECT_EQ(m_calc.GetSharpnessPosition(), 0);
  EXPECT_TRUE(m_calc.IsModifierEnabled(1033));
  EXPECT_TRUE(m_calc.GetResultColumns().empty());
  EXPECT_EQ(m_calc.GetAttackText(), ToSjis(u8"攻撃力：---"));
  EXPECT_EQ(m_calc.GetElementText(), ToSjis(u8"属性(--)：---"));
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(u8"切れ味：---"));
}

TEST_F(CalculatorFixture, StartUpSelectsFirstEntriesButNoWeapon) {
  Start();
  // GunLance has motions but no weapon, so it is not offered.
  ASSERT_EQ(m_calc.GetCategories().size(), 5U);
  const std::vector<int> arrExpected{0, 2, 3, 4, 6};
  for (size_t i = 0; i < arrExpected.size(); ++i) {
    EXPECT_EQ(m_calc.GetCategories()[i].nCategory, arrExpected[i]);
  }
  EXPECT_EQ(m_calc.GetCategories()[0].strLabel, ToSjis(u8"片手剣"));
  EXPECT_EQ(m_calc.GetCategories()[4].strLabel, ToSjis(u8"ハンマー"));
  EXPECT_EQ(m_calc.GetCategorySelection(), 0);

  EXPECT_EQ(m_calc.GetWeapons().size(), 6U);
  EXPECT_EQ(m_calc.GetWeaponSelection(), NO_SELECTION);
  EXPECT_EQ(Names(m_calc.GetAvailableMotions()),
            (std::vector<std::string>{ToSjis(u8"斬り下ろし"), ToSjis(u8"突き")}));
  EXPECT_TRUE(m_calc.GetChosenMotions().empty());
  EXPECT_EQ(m_calc.GetHitCorrections().size(), 2U);
  EXPECT_EQ(m_calc.GetHitCorrectionSelection(), 0);
  EXPECT_EQ(m_calc.GetMonsters().size(), 2U);
  EXPECT_EQ(m_calc.GetMonsterSelection(), 0);
  EXPECT_EQ(m_calc.GetLevels().size(), 2U);
  EXPECT_EQ(m_calc.GetLevelSelection(), 0);

  EXPECT_TRUE(m_calc.GetResultRows().empty());
  ASSERT_EQ(m_calc.GetResultColumns().size(), 4U);
  const std::vector<std::pair<std::string, int>> arrColumn{{ToSjis(u8"部位"), 40},
                                                           {ToSjis(u8"物理"), 40},
                                                           {ToSjis(u8"属性"), 40},
                                                           {ToSjis(u8"ﾀﾞﾒｰｼﾞ"), 45}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(m_calc.GetResultColumns()[i].strCaption, arrColumn[i].first);
    EXPECT_EQ(m_calc.GetResultColumns()[i].nWidth, arrColumn[i].second);
  }
  EXPECT_EQ(m_calc.GetAttackText(), ToSjis(u8"攻撃力：---"));
  EXPECT_EQ(m_calc.GetElementText(), ToSjis(u8"属性(--)：---"));
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(u8"切れ味：---"));
  // 片手剣 is not 太刀.
  EXPECT_FALSE(m_calc.IsModifierEnabled(1033));
}

TEST_F(CalculatorFixture, StartUpWithoutAnyDataFileListsNothing) {
  m_calc.LoadAll();
  EXPECT_TRUE(m_calc.GetCategories().empty());
  EXPECT_EQ(m_calc.GetCategorySelection(), NO_SELECTION);
  EXPECT_TRUE(m_calc.GetMonsters().empty());
  EXPECT_EQ(m_calc.GetMonsterSelection(), NO_SELECTION);
  EXPECT_EQ(m_calc.GetLevelSelection(), NO_SELECTION);
  EXPECT_EQ(m_calc.GetResultColumns().size(), 4U);
  m_calc.SelectWeapon(0);
  m_calc.AddChosenMotion(0);
  EXPECT_TRUE(m_calc.GetResultRows().empty());
  // With no category the enabled state keeps its initial value.
  EXPECT_TRUE(m_calc.IsModifierEnabled(1033));
}

TEST_F(CalculatorFixture, OneSlashGivesOneColouredRowPerRegion) {
  StartWithKnife();
  // B = 280 / 1.4 = 200, r = 20 x 200 x 0.01 = 40, green: x1.125, hit 100 %.
  // 頭 45: 45 x 40 x 1.125 x 0.01 = 20.25 -> 20, rate 50.625 % black.
  // 尻尾 30: 13.5 -> 13, 33.75 % black. 腹 90: 40.5 -> 40, 101.25 % blue.
  // 甲殻 22: 9.9 -> 9, 24.75 % red. The weapon has no element: 0 %.
  const auto& arrRow = m_calc.GetResultRows();
  ASSERT_EQ(arrRow.size(), 4U);
  const std::vector<std::array<std::string, 4>> arrExpected{{ToSjis(u8"頭"), "45%", "0%", "20"},
                                                            {ToSjis(u8"尻尾"), "30%", "0%", "13"},
                                                            {ToSjis(u8"腹"), "90%", "0%", "40"},
                                                            {ToSjis(u8"甲殻"), "22%", "0%", "9"}};
  const std::vector<uint32_t> arrColor{0x000000, 0x000000, 0x0000FF, 0xFF0000};
  const std::vector<int32_t> arrKind{RESULT_NORMAL, RESULT_NORMAL, RESULT_HIGH, RESULT_LOW};
  const std::vector<int32_t> arrDamage{20, 13, 40, 9};
  const std::vector<uint8_t> arrPhys{45, 30, 90, 22};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(arrRow[i].arrCell, arrExpected[i]) << "row " << i;
    EXPECT_EQ(arrRow[i].nColor, std::optional<uint32_t>(arrColor[i])) << "row " << i;
    EXPECT_EQ(arrRow[i].nKind, arrKind[i]) << "row " << i;
    EXPECT_EQ(arrRow[i].nDamage, arrDamage[i]) << "row " << i;
    EXPECT_EQ(arrRow[i].byPhys, arrPhys[i]) << "row " << i;
    EXPECT_EQ(arrRow[i].byElement, 0) << "row " << i;
  }
}

TEST_F(CalculatorFixture, ElementHitzoneAndElementDamageReachTheRow) {
  Start();
  m_calc.SelectCategory(kListGreatSword);
  m_calc.SelectWeapon(0);
  m_calc.AddChosenMotion(0);
  // 960 / 4.8 = 200, r = 48 x 200 x 0.01 = 96; P = 45 x 96 x 1.125 x 0.01 = 48.6;
  // fire 20: E = 300 x 0.1 x 20 x 1.0 x 0.01 = 6.0; 54.6 -> 54.
  ASSERT_EQ(m_calc.GetResultRows().size(), 4U);
  EXPECT_EQ(Cell(0, 1), "45%");
  EXPECT_EQ(Cell(0, 2), "20%");
  EXPECT_EQ(Cell(0, 3), "54");
  EXPECT_EQ(m_calc.GetResultRows()[0].byElement, 20);
}

TEST_F(CalculatorFixture, EmptyMotionListStillGivesOneZeroRowPerRegion) {
  StartWithKnife();
  m_calc.ClearChosenMotions();
  EXPECT_EQ(DamageColumn(), (std::vector<std::string>{"0", "0", "0", "0"}));
  for (const ResultRow_t& row : m_calc.GetResultRows()) EXPECT_EQ(row.nColor, 0x000000U);
}

TEST_F(CalculatorFixture, ACategoryWithoutMotionsStillComputes) {
  Start();
  m_calc.SelectCategory(kListHummer);
  EXPECT_TRUE(m_calc.GetAvailableMotions().empty());
  m_calc.SelectWeapon(0);
  m_calc.AddChosenMotion(0);  // nothing to add
  EXPECT_EQ(DamageColumn(), (std::vector<std::string>{"0", "0", "0", "0"}));
  // Hammers hit the impact value: 頭 60.
  EXPECT_EQ(Cell(0, 1), "60%");
}

TEST_F(CalculatorFixture, ChangingCategoryKeepsTheOldRowsAndTextsUntilAWeaponIsPicked) {
  StartWithKnife();
  const auto arrRowsBefore = DamageColumn();
  ASSERT_EQ(arrRowsBefore.size(), 4U);
  m_calc.SelectCategory(kListKatana);

  EXPECT_EQ(m_calc.GetCategorySelection(), kListKatana);
  EXPECT_EQ(m_calc.GetWeapons().size(), 1U);
  EXPECT_EQ(m_calc.GetWeaponSelection(), NO_SELECTION);
  EXPECT_EQ(Names(m_calc.GetAvailableMotions()), std::vector<std::string>{ToSjis(u8"居合")});
  EXPECT_TRUE(m_calc.GetChosenMotions().empty());
  EXPECT_EQ(m_calc.GetHitCorrectionSelection(), 0);
  EXPECT_EQ(DamageColumn(), arrRowsBefore);
  EXPECT_EQ(m_calc.GetAttackText(), ToSjis(u8"攻撃力：280"));
  EXPECT_EQ(m_calc.GetSharpnessPosition(), 3);
  EXPECT_EQ(m_calc.GetMonsterSelection(), 0);

  // 480 / 4.8 = 100 with no motion chosen yet: every region 0.
  m_calc.SelectWeapon(0);
  EXPECT_EQ(DamageColumn(), (std::vector<std::string>{"0", "0", "0", "0"}));
  EXPECT_EQ(m_calc.GetAttackText(), ToSjis(u8"攻撃力：480"));
}

TEST_F(CalculatorFixture, SelectingACategoryOutsideTheListChangesNothing) {
  StartWithKnife();
  const uint64_t nRevision = m_calc.GetListRevision();
  m_calc.SelectCategory(9);
  EXPECT_EQ(m_calc.GetCategorySelection(), NO_SELECTION);
  EXPECT_EQ(m_calc.GetWeaponSelection(), kKnife);
  EXPECT_EQ(m_calc.GetChosenMotions().size(), 1U);
  EXPECT_EQ(m_calc.GetListRevision(), nRevision);
}

struct WeaponTextCase_t {
  const char* pszName;
  int nWeapon;
  std::u8string_view strAttack;
  std::u8string_view strElement;
  std::u8string_view strSharpness;
  int nPosition;
};

class WeaponTextTest : public CalculatorFixture,
                       public ::testing::WithParamInterface<WeaponTextCase_t> {};

TEST_P(WeaponTextTest, StatusTextsAndPositionFollowTheWeapon) {
  Start();
  m_calc.SelectWeapon(GetParam().nWeapon);
  EXPECT_EQ(m_calc.GetAttackText(), ToSjis(GetParam().strAttack));
  EXPECT_EQ(m_calc.GetElementText(), ToSjis(GetParam().strElement));
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(GetParam().strSharpness));
  EXPECT_EQ(m_calc.GetSharpnessPosition(), GetParam().nPosition);
}

// Note the formats: full-width colon after 攻撃力, ASCII colons after the
// element and sharpness parentheses.
INSTANTIATE_TEST_SUITE_P(
    Calculator, WeaponTextTest,
    ::testing::Values(WeaponTextCase_t{"NoElement", kKnife, u8"攻撃力：280", u8"属性(無):0",
                                       u8"切れ味:緑", 3},
                      WeaponTextCase_t{"FireAndPoison", kFireSword, u8"攻撃力：160",
                                       u8"属性(火毒):250", u8"切れ味:青", 4},
                      WeaponTextCase_t{"SharpnessAboveWhite", kBlunt, u8"攻撃力：280",
                                       u8"属性(無):0", u8"切れ味:Error", 5},
                      WeaponTextCase_t{"OnlyBitsAboveEight", kOddMask, u8"攻撃力：100",
                                       u8"属性():30", u8"切れ味:緑", 3},
                      WeaponTextCase_t{"SharpnessBelowRed", kNegative, u8"攻撃力：280",
                                       u8"属性(無):0", u8"切れ味:Error", 0},
                      // Bit 0 names 無 like an empty mask; bit 9 is ignored.
                      WeaponTextCase_t{"EveryBit", kEveryBit, u8"攻撃力：100",
                                       u8"属性(無火水雷氷龍毒痺眠):40", u8"切れ味:白", 5}),
    [](const auto& row) { return std::string(row.param.pszName); });

TEST_F(CalculatorFixture, SharpnessBeyondWhiteComputesAtWhite) {
  Start();
  m_calc.SelectWeapon(kBlunt);
  m_calc.AddChosenMotion(kSlash);
  // White x1.3: 頭 45 x 40 x 1.3 x 0.01 = 23.4 -> 23; 尻尾 15.6 -> 15.
  EXPECT_EQ(Cell(0, 3), "23");
  EXPECT_EQ(Cell(1, 3), "15");
}

TEST_F(CalculatorFixture, ReleasingTheSliderRecomputesAndRenamesTheSharpness) {
  StartWithKnife();
  m_calc.ReleaseSharpness(5);
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(u8"切れ味:白"));
  EXPECT_EQ(Cell(0, 3), "23");  // as at white above
}

TEST_F(CalculatorFixture, KeyboardMoveTakesEffectOnlyAtTheNextRecalculation) {
  StartWithKnife();
  m_calc.SetSharpnessPosition(5);
  EXPECT_EQ(m_calc.GetSharpnessPosition(), 5);
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(u8"切れ味:緑"));
  EXPECT_EQ(Cell(0, 3), "20");
  m_calc.SetAnger(false);
  EXPECT_EQ(Cell(0, 3), "23");
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(u8"切れ味:緑"));
}

TEST_F(CalculatorFixture, ReleasingTheSliderWithoutAWeaponChangesNoTextNorRow) {
  Start();
  m_calc.ReleaseSharpness(4);
  EXPECT_EQ(m_calc.GetSharpnessPosition(), 4);
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(u8"切れ味：---"));
  EXPECT_TRUE(m_calc.GetResultRows().empty());
}

TEST_F(CalculatorFixture, TheSliderPositionIsHeldToItsRange) {
  StartWithKnife();
  m_calc.ReleaseSharpness(9);
  EXPECT_EQ(m_calc.GetSharpnessPosition(), 5);
  EXPECT_EQ(m_calc.GetSharpnessText(), ToSjis(u8"切れ味:白"));
  m_calc.SetSharpnessPosition(-3);
  EXPECT_EQ(m_calc.GetSharpnessPosition(), 0);
}

TEST_F(CalculatorFixture, TheSameMotionTwiceCountsTwiceInListOrder) {
  StartWithKnife();
  m_calc.AddChosenMotion(kThrust);
  m_calc.AddChosenMotion(kSlash);
  EXPECT_EQ(
      Names(m_calc.GetChosenMotions()),
      (std::vector<std::string>{ToSjis(u8"斬り下ろし"), ToSjis(u8"突き"), ToSjis(u8"斬り下ろし")}));
  // 頭 45: slash 20.25 -> 20, twice; thrust at cut rate 50 %, values 10 and 12:
  // r = 20 and 24, P = 45 x 0.5 x 20 x 1.125 x 0.01 = 5.0625 -> 5 and 6.075 -> 6.
  // 20 + 5 + 6 + 20 = 51.
  EXPECT_EQ(Cell(0, 3), "51");
}

TEST_F(CalculatorFixture, RemovingTakesTheGivenEntryAndClearsTheSelection) {
  StartWithKnife();
  m_calc.AddChosenMotion(kThrust);
  m_calc.SelectChosenMotion(0);
  m_calc.RemoveChosenMotion(0);
  EXPECT_EQ(Names(m_calc.GetChosenMotions()), std::vector<std::string>{ToSjis(u8"突き")});
  EXPECT_EQ(m_calc.GetChosenMotionSelection(), NO_SELECTION);
  EXPECT_EQ(Cell(0, 3), "11");  // 5 + 6, worked out above
}

// The keyboard move of the slider leaves the rows out of date: an operation
// that recalculates would bring 頭 from 20 (green) to 23 (white).
TEST_F(CalculatorFixture, EditsWithoutASelectionDoNotRecalculate) {
  StartWithKnife();
  const uint64_t nRevision = m_calc.GetListRevision();
  m_calc.SetSharpnessPosition(5);
  m_calc.RemoveChosenMotion(NO_SELECTION);
  m_calc.RemoveChosenMotion(1);  // past the one chosen entry
  m_calc.AddChosenMotion(NO_SELECTION);
  m_calc.AddChosenMotion(2);  // past the two available motions
  EXPECT_EQ(m_calc.GetChosenMotions().size(), 1U);
  EXPECT_EQ(Cell(0, 3), "20");
  EXPECT_EQ(m_calc.GetListRevision(), nRevision);

  m_calc.ClearChosenMotions();
  EXPECT_TRUE(m_calc.GetChosenMotions().empty());
  EXPECT_EQ(Cell(0, 3), "0");
}

TEST_F(CalculatorFixture, MonsterLevelHitCorrectionAndAngerRecalculate) {
  StartWithKnife();
  m_calc.SelectLevel(1);  // 上位 80 %: 80 x 20.25 x 0.01 = 16.2 -> 16
  EXPECT_EQ(Cell(0, 3), "16");
  m_calc.SelectLevel(0);
  m_calc.SelectHitCorrection(1);  // 弱点, high rate 120: 45 x 40 x 1.2 x 1.125 x 0.01 = 24.3
  EXPECT_EQ(Cell(0, 3), "24");
  m_calc.SelectHitCorrection(0);
  m_calc.SetAnger(true);  // (200 - 90) %: 110 x 20.25 x 0.01 = 22.275 -> 22
  EXPECT_TRUE(m_calc.GetAnger());
  EXPECT_EQ(Cell(0, 3), "22");
  m_calc.SetAnger(false);
  m_calc.SelectMonster(1);  // Kirin 角 cut 50: 50 x 40 x 1.125 x 0.01 = 22.5 -> 22
  ASSERT_EQ(m_calc.GetResultRows().size(), 1U);
  EXPECT_EQ(Cell(0, 0), ToSjis(u8"角"));
  EXPECT_EQ(Cell(0, 3), "22");
}

TEST_F(CalculatorFixture, NoMonsterKeepsThePreviousRows) {
  StartWithKnife();
  m_calc.SelectMonster(2);  // outside the list: none
  EXPECT_EQ(m_calc.GetMonsterSelection(), NO_SELECTION);
  m_calc.AddChosenMotion(kSlash);
  EXPECT_EQ(m_calc.GetChosenMotions().size(), 2U);
  EXPECT_EQ(Cell(0, 3), "20");
}

TEST_F(CalculatorFixture, NoLevelOrNoHitCorrectionEmptiesTheRows) {
  StartWithKnife();
  m_calc.SelectLevel(-1);
  EXPECT_TRUE(m_calc.GetResultRows().empty());
  m_calc.SelectLevel(0);
  EXPECT_EQ(m_calc.GetResultRows().size(), 4U);
  m_calc.SelectHitCorrection(7);
  EXPECT_EQ(m_calc.GetHitCorrectionSelection(), NO_SELECTION);
  EXPECT_TRUE(m_calc.GetResultRows().empty());
}

TEST_F(CalculatorFixture, ACategoryWithoutHitPatternsNeverShowsRows) {
  StartWithKnife();
  m_calc.SelectCategory(kListLance);
  EXPECT_TRUE(m_calc.GetHitCorrections().empty());
  EXPECT_EQ(m_calc.GetHitCorrectionSelection(), NO_SELECTION);
  EXPECT_EQ(m_calc.GetResultRows().size(), 4U);  // the sword's rows stay for now
  m_calc.SelectWeapon(0);
  EXPECT_TRUE(m_calc.GetResultRows().empty());
  m_calc.AddChosenMotion(0);
  EXPECT_TRUE(m_calc.GetResultRows().empty());
}

TEST_F(CalculatorFixture, AStoreWithoutLevelsNeverShowsRows) {
  Start(kMonsterIniWithoutLevels);
  EXPECT_TRUE(m_calc.GetLevels().empty());
  EXPECT_EQ(m_calc.GetLevelSelection(), NO_SELECTION);
  m_calc.SelectWeapon(kKnife);
  m_calc.AddChosenMotion(kSlash);
  EXPECT_TRUE(m_calc.GetResultRows().empty());
}

TEST_F(CalculatorFixture, RenkiMaxIsEnabledForKatanaOnlyAndCountsWhileDisabled) {
  Start();
  m_calc.SelectCategory(kListKatana);
  EXPECT_TRUE(m_calc.IsModifierEnabled(1033));
  m_calc.SetModifier(1033, true);
  m_calc.SelectCategory(kListSword);
  EXPECT_FALSE(m_calc.IsModifierEnabled(1033));
  EXPECT_TRUE(m_calc.GetModifier(1033));
  EXPECT_EQ(m_calc.BuildModifierMask(), 0x2000U);
  m_calc.SelectWeapon(kKnife);
  m_calc.AddChosenMotion(kSlash);
  // B = 200 + 10 = 210, r = 42: 頭 45 x 42 x 1.125 x 0.01 = 21.2625 -> 21.
  EXPECT_EQ(Cell(0, 3), "21");
  // Every other modifier box stays enabled.
  EXPECT_TRUE(m_calc.IsModifierEnabled(1018));
  EXPECT_TRUE(m_calc.IsModifierEnabled(1041));
}

TEST_F(CalculatorFixture, ModifiersReachTheCalculation) {
  StartWithKnife();
  m_calc.SetModifier(1029,
                     true);  // 怪力の丸薬 +25: B = 225, r = 45, 45 x 45 x 1.125 x 0.01 = 22.78
  EXPECT_EQ(Cell(0, 3), "22");
  m_calc.SetModifier(1029, false);
  m_calc.SetModifier(1040, true);  // 会心 x1.25: B = 250, r = 50, 25.3125 -> 25
  EXPECT_EQ(Cell(0, 3), "25");
}

TEST_F(CalculatorFixture, ASecondLoadAllRebuildsListsAndKeepsFlagsTextsAndColumns) {
  StartWithKnife();
  m_calc.SelectCategory(kListGreatSword);
  m_calc.SelectWeapon(0);
  m_calc.AddChosenMotion(0);
  m_calc.SelectMonster(1);
  m_calc.SetModifier(1040, true);
  m_calc.SetModifier(1021, true);
  m_calc.SetAnger(true);
  m_calc.ReleaseSharpness(1);
  const std::string strAttack = m_calc.GetAttackText();
  const std::string strElement = m_calc.GetElementText();
  const std::string strSharpness = m_calc.GetSharpnessText();
  const uint64_t nRevision = m_calc.GetListRevision();

  // A conversion empties the store before the window reloads.
  m_store->Clear();
  m_calc.LoadAll();

  EXPECT_GT(m_calc.GetListRevision(), nRevision);
  EXPECT_EQ(m_calc.GetCategories().size(), 5U);
  EXPECT_EQ(m_calc.GetCategorySelection(), 0);
  EXPECT_EQ(m_calc.GetWeapons().size(), 6U);
  EXPECT_EQ(m_calc.GetWeaponSelection(), NO_SELECTION);
  EXPECT_TRUE(m_calc.GetChosenMotions().empty());
  EXPECT_EQ(m_calc.GetMonsters().size(), 2U);
  EXPECT_EQ(m_calc.GetMonsterSelection(), 0);
  EXPECT_EQ(m_calc.GetLevelSelection(), 0);
  EXPECT_TRUE(m_calc.GetResultRows().empty());
  EXPECT_EQ(m_calc.GetResultColumns().size(), 4U);

  EXPECT_EQ(m_calc.GetAttackText(), strAttack);
  EXPECT_EQ(m_calc.GetAttackText(), ToSjis(u8"攻撃力：960"));
  EXPECT_EQ(m_calc.GetElementText(), strElement);
  EXPECT_EQ(m_calc.GetSharpnessText(), strSharpness);
  EXPECT_EQ(m_calc.GetSharpnessPosition(), 1);
  EXPECT_TRUE(m_calc.GetAnger());
  EXPECT_EQ(m_calc.BuildModifierMask(), 0x800002U);
}

TEST_F(CalculatorFixture, ListRevisionMovesWithListsOnly) {
  StartWithKnife();
  uint64_t nRevision = m_calc.GetListRevision();
  m_calc.SetAnger(true);
  m_calc.SelectMonster(1);
  m_calc.SetModifier(1018, true);
  m_calc.ReleaseSharpness(2);
  m_calc.SelectChosenMotion(0);
  EXPECT_EQ(m_calc.GetListRevision(), nRevision);

  m_calc.AddChosenMotion(kSlash);
  EXPECT_GT(m_calc.GetListRevision(), nRevision);
  nRevision = m_calc.GetListRevision();
  m_calc.ClearChosenMotions();
  EXPECT_GT(m_calc.GetListRevision(), nRevision);
  nRevision = m_calc.GetListRevision();
  m_calc.SelectCategory(kListKatana);
  EXPECT_GT(m_calc.GetListRevision(), nRevision);
}

TEST_F(CalculatorFixture, SelectedRecordsFollowTheSelections) {
  StartWithKnife();
  ASSERT_NE(m_calc.GetSelectedWeapon(), nullptr);
  EXPECT_EQ(m_calc.GetSelectedWeapon()->GetName(), ToSjis(u8"ハンターナイフ"));
  EXPECT_EQ(m_calc.GetSelectedMonster()->GetName(), ToSjis(u8"ドラゴン"));
  EXPECT_EQ(m_calc.GetSelectedLevel()->GetName(), ToSjis(u8"下位"));
  EXPECT_EQ(m_calc.GetSelectedHitCorrection()->GetName(), ToSjis(u8"通常"));
  m_calc.SelectWeapon(99);
  EXPECT_EQ(m_calc.GetSelectedWeapon(), nullptr);
  // Without a weapon the texts of the last one stay.
  EXPECT_EQ(m_calc.GetAttackText(), ToSjis(u8"攻撃力：280"));
}
