// CCalculator::Explain and ExplainRow: the calculation behind the rows on
// show, run again with every hit recorded. Whatever happened since, the
// explanation must add up to the rows the calculator holds.
#include <gtest/gtest.h>

#include "CalcTestData.h"

using namespace calctest;

namespace {

constexpr int kAmuletId = 1021;  // 力の護符, +5

class ExplainTest : public CalculatorFixture {
protected:
  // Every row of the explanation matches the calculator's row: name, hitzones,
  // damage, kind, and its hits' truncated values sum to the damage.
  void ExpectExplainsTheRows() const {
    const std::optional<CalcExplanation_t> explanation = m_calc.Explain();
    ASSERT_TRUE(explanation.has_value());
    const std::vector<ResultRow_t>& arrRow = m_calc.GetResultRows();
    ASSERT_EQ(explanation->arrRegion.size(), arrRow.size());
    for (size_t i = 0; i < arrRow.size(); ++i) {
      SCOPED_TRACE("row " + std::to_string(i));
      const DamageResult_t& region = explanation->arrRegion[i];
      EXPECT_EQ(region.strName, arrRow[i].arrCell[0]);
      EXPECT_EQ(region.byPhys, arrRow[i].byPhys);
      EXPECT_EQ(region.byElement, arrRow[i].byElement);
      EXPECT_EQ(region.nDamage, arrRow[i].nDamage);
      EXPECT_EQ(region.nKind, arrRow[i].nKind);
      int32_t nSum = 0;
      for (const HitTrace_t& hit : explanation->trace.arrHit) {
        if (hit.nRegion == static_cast<int32_t>(i)) nSum += hit.nTruncated;
      }
      EXPECT_EQ(nSum, arrRow[i].nDamage);
    }
  }

  size_t HitCount() const { return m_calc.Explain().value().trace.arrHit.size(); }
};

TEST_F(ExplainTest, NothingToExplainBeforeAWeaponIsPicked) {
  Start();
  EXPECT_FALSE(m_calc.Explain().has_value());
  EXPECT_FALSE(m_calc.ExplainRow(0).has_value());
}

// The knife (200) with one 斬り下ろし (20) against ドラゴン's four regions.
TEST_F(ExplainTest, ExplainsEveryRowWithItsHits) {
  StartWithKnife();
  ExpectExplainsTheRows();
  const CalcExplanation_t explanation = m_calc.Explain().value();
  EXPECT_EQ(explanation.trace.factors.dBase, 200.0);
  EXPECT_EQ(explanation.trace.factors.nSharpness, 3);
  ASSERT_EQ(explanation.trace.arrHit.size(), 4U);
  EXPECT_EQ(explanation.trace.arrHit[0].pAction, m_calc.GetChosenMotions()[0]);
  EXPECT_EQ(explanation.trace.arrHit[0].wMotionValue, 20);
}

TEST_F(ExplainTest, ModifiersAngerAndRepeatsReachTheExplanation) {
  StartWithKnife();
  m_calc.SetModifier(kAmuletId, true);
  m_calc.SetAnger(true);
  m_calc.AddChosenMotion(kThrust);
  m_calc.AddChosenMotion(kSlash);
  ExpectExplainsTheRows();
  const CalcExplanation_t explanation = m_calc.Explain().value();
  EXPECT_EQ(explanation.trace.factors.byBonus, 5);
  EXPECT_TRUE(explanation.trace.factors.bAnger);
  EXPECT_EQ(explanation.trace.factors.byAngerRate, 110);
  // 斬り下ろし [20], 突き [10, 12], 斬り下ろし [20]: four hits per region.
  EXPECT_EQ(explanation.trace.arrHit.size(), 4U * 4U);
  EXPECT_EQ(explanation.trace.arrHit[2].nAction, 1);
  EXPECT_EQ(explanation.trace.arrHit[2].nHit, 1);
  EXPECT_EQ(explanation.trace.arrHit[3].nAction, 2);
}

// A keyboard move of the slider leaves the rows at green; the explanation
// stays with them until the next recalculation.
TEST_F(ExplainTest, KeyboardMoveOfTheSharpnessWaitsLikeTheRows) {
  StartWithKnife();
  m_calc.SetSharpnessPosition(5);
  EXPECT_EQ(m_calc.Explain().value().trace.factors.nSharpness, 3);
  ExpectExplainsTheRows();
  m_calc.SetAnger(false);
  EXPECT_EQ(m_calc.Explain().value().trace.factors.nSharpness, 5);
  ExpectExplainsTheRows();
}

// A category change keeps the sword's rows on show, and their explanation.
TEST_F(ExplainTest, CategoryChangeKeepsTheRowsExplanation) {
  StartWithKnife();
  const int32_t nHeadDamage = m_calc.GetResultRows()[0].nDamage;
  m_calc.SelectCategory(kListGreatSword);
  ASSERT_EQ(m_calc.GetResultRows()[0].nDamage, nHeadDamage);
  EXPECT_EQ(m_calc.Explain().value().trace.factors.dBase, 200.0);
  ExpectExplainsTheRows();
  m_calc.SelectWeapon(0);  // 大剣A: 960 / 4.8 = 200 as well, but no motion chosen now
  EXPECT_EQ(HitCount(), 0U);
  ExpectExplainsTheRows();
}

// Without a monster the rows stay, computed with one motion, while the list
// grows: the explanation keeps to the motions the rows were computed from.
TEST_F(ExplainTest, RowsKeptWithoutAMonsterKeepTheirMotions) {
  StartWithKnife();
  m_calc.SelectMonster(2);
  m_calc.AddChosenMotion(kThrust);
  ASSERT_EQ(m_calc.GetChosenMotions().size(), 2U);
  EXPECT_EQ(HitCount(), 4U);
  ExpectExplainsTheRows();
}

TEST_F(ExplainTest, EmptiedRowsHaveNoExplanation) {
  StartWithKnife();
  m_calc.SelectLevel(-1);
  EXPECT_FALSE(m_calc.Explain().has_value());
  m_calc.SelectLevel(0);
  EXPECT_TRUE(m_calc.Explain().has_value());
  m_calc.SelectHitCorrection(7);
  EXPECT_FALSE(m_calc.Explain().has_value());
}

TEST_F(ExplainTest, ReloadForgetsTheCalculation) {
  StartWithKnife();
  m_calc.LoadAll();
  EXPECT_FALSE(m_calc.Explain().has_value());
  EXPECT_FALSE(m_calc.ExplainRow(0).has_value());
}

TEST_F(ExplainTest, ExplainingChangesNothing) {
  StartWithKnife();
  const std::vector<std::string> arrBefore = DamageColumn();
  const uint64_t nRevision = m_calc.GetListRevision();
  m_calc.Explain();
  m_calc.ExplainRow(1);
  EXPECT_EQ(DamageColumn(), arrBefore);
  EXPECT_EQ(m_calc.GetListRevision(), nRevision);
  ExpectExplainsTheRows();
}

// One row: that row's region alone, its hits renumbered to region 0.
TEST_F(ExplainTest, OneRowHoldsItsRegionAndItsHitsOnly) {
  StartWithKnife();
  m_calc.AddChosenMotion(kThrust);
  const std::vector<ResultRow_t>& arrRow = m_calc.GetResultRows();
  for (int nRow = 0; nRow < static_cast<int>(arrRow.size()); ++nRow) {
    SCOPED_TRACE("row " + std::to_string(nRow));
    const std::optional<CalcExplanation_t> row = m_calc.ExplainRow(nRow);
    ASSERT_TRUE(row.has_value());
    ASSERT_EQ(row->arrRegion.size(), 1U);
    EXPECT_EQ(row->arrRegion[0].strName, arrRow[static_cast<size_t>(nRow)].arrCell[0]);
    ASSERT_EQ(row->trace.arrHit.size(), 3U);  // [20] and [10, 12]
    for (const HitTrace_t& hit : row->trace.arrHit) EXPECT_EQ(hit.nRegion, 0);
    EXPECT_EQ(row->trace.arrHit.back().nRunning, arrRow[static_cast<size_t>(nRow)].nDamage);
  }
}

TEST_F(ExplainTest, RowOutsideTheRowsHasNoExplanation) {
  StartWithKnife();
  EXPECT_FALSE(m_calc.ExplainRow(-1).has_value());
  EXPECT_FALSE(m_calc.ExplainRow(4).has_value());
  EXPECT_TRUE(m_calc.ExplainRow(3).has_value());
}

}  // namespace
