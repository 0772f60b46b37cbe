// The store's name tables: a number outside a table answers "Error".
#include <gtest/gtest.h>

#include <climits>

#include "data/DataManager.h"

namespace {

TEST(NameTableTest, NumbersOutsideTheTablesAnswerError) {
  for (const int n : {-1, INT_MIN}) {
    EXPECT_EQ(CDataManager::GetCategoryName(n), "Error");
    EXPECT_EQ(CDataManager::GetCategoryLabel(n), "Error");
    EXPECT_EQ(CDataManager::GetSharpnessName(n), "Error");
    EXPECT_EQ(CDataManager::GetElementName(n), "Error");
  }
  EXPECT_EQ(CDataManager::GetCategoryName(CATEGORY_COUNT), "Error");
  EXPECT_EQ(CDataManager::GetCategoryLabel(CATEGORY_COUNT), "Error");
  EXPECT_EQ(CDataManager::GetSharpnessName(SHARPNESS_MAX + 1), "Error");
  EXPECT_EQ(CDataManager::GetElementName(ELEMENT_COUNT), "Error");
}

}  // namespace
