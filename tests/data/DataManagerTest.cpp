// The store's name tables: a number outside a table answers "Error".
#include <gtest/gtest.h>

#include "data/DataManager.h"

namespace {

TEST(NameTableTest, NumbersOutsideTheTablesAnswerError) {
  EXPECT_EQ(CDataManager::GetCategoryName(CATEGORY_COUNT), "Error");
  EXPECT_EQ(CDataManager::GetCategoryLabel(-1), "Error");
  EXPECT_EQ(CDataManager::GetSharpnessName(SHARPNESS_MAX + 1), "Error");
  EXPECT_EQ(CDataManager::GetElementName(ELEMENT_COUNT), "Error");
}

}  // namespace
