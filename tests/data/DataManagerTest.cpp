// The store: the single instance, Clear, the name tables, the data folder and
// its paths, and the lists the loaders fill.
#include <gtest/gtest.h>

#include <string>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "model/WeaponClasses.h"
#include "platform/ModuleDirectory.h"
#include "support/TestDataDir.h"

namespace {

class DataManagerTest : public ::testing::Test {
protected:
  void SetUp() override { CDataManager::DestroyInstance(); }
  void TearDown() override { CDataManager::DestroyInstance(); }

  // Gives category nCategory one motion, one hit pattern and one weapon.
  static void Fill(CDataManager& store, int nCategory) {
    store.ActionsOf(nCategory).push_back(std::make_unique<CAction>("a"));
    store.HitPatternsOf(nCategory).push_back(std::make_unique<CHitPattern>("p", 100, 100));
    store.WeaponsOf(nCategory).push_back(CreateWeapon(nCategory));
  }
};

TEST_F(DataManagerTest, OneInstanceUntilDestroyed) {
  CDataManager& first = CDataManager::GetInstance();
  EXPECT_EQ(&first, &CDataManager::GetInstance());
  first.AppendLevel(std::make_unique<CLevel>("L", 100));
  CDataManager::DestroyInstance();
  CDataManager::DestroyInstance();  // a second destroy is harmless
  EXPECT_TRUE(CDataManager::GetInstance().GetLevelList().empty());
}

TEST_F(DataManagerTest, DataFolderDefaultsToTheExecutablesFolder) {
  EXPECT_EQ(CDataManager::GetInstance().GetDataDirectory(), velkar::GetModuleDirectory());
  EXPECT_EQ(CDataManager::GetInstance().GetDataDirectory().back(), '/');
}

TEST_F(DataManagerTest, SetDataDirectoryEndsWithASlash) {
  CDataManager& store = CDataManager::GetInstance();
  store.SetDataDirectory("/some/where");
  EXPECT_EQ(store.GetDataDirectory(), "/some/where/");
  EXPECT_EQ(store.GetWeaponDataPath(CATEGORY_HUNTINGHORN), "/some/where/HuntingHorn.dat");
  EXPECT_EQ(store.GetWeaponSourcePath(CATEGORY_DUALSWORD), "/some/where/DualSword.ini");
  EXPECT_EQ(store.GetMonsterDataPath(), "/some/where/Monster.dat");
  EXPECT_EQ(store.GetMonsterSourcePath(), "/some/where/Monster.ini");
  store.SetDataDirectory("/already/");
  EXPECT_EQ(store.GetDataDirectory(), "/already/");
  store.SetDataDirectory("");
  EXPECT_EQ(store.GetDataDirectory(), "");
  EXPECT_EQ(store.GetMonsterDataPath(), "Monster.dat");
}

TEST_F(DataManagerTest, ClearEmptiesEverythingAndStaysUsable) {
  CDataManager& store = CDataManager::GetInstance();
  store.Clear();  // on an empty store
  Fill(store, CATEGORY_SWORD);
  Fill(store, CATEGORY_HUMMER);
  store.AppendMonster(std::make_unique<CMonster>("m", 1, 2, 3));
  store.AppendLevel(std::make_unique<CLevel>("L", 100));
  store.Clear();
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    EXPECT_EQ(store.GetWeaponList(nCategory), nullptr);
    EXPECT_EQ(store.GetActionList(nCategory), nullptr);
    EXPECT_EQ(store.GetHitPatternList(nCategory), nullptr);
  }
  EXPECT_TRUE(store.GetMonsterList().empty());
  EXPECT_TRUE(store.GetLevelList().empty());
  Fill(store, CATEGORY_SWORD);
  EXPECT_EQ(store.GetWeaponList(CATEGORY_SWORD)->size(), 1u);
}

TEST_F(DataManagerTest, ClearForgetsLoadErrors) {
  CTestDataDir dir;
  CTestDataStore store(dir);
  dir.WriteBytes("Monster.dat", std::string_view("\x01\x00", 2));
  EXPECT_FALSE(store->LoadMonsterData());
  EXPECT_EQ(store->GetLoadErrors().size(), 1u);
  store->Clear();
  EXPECT_TRUE(store->GetLoadErrors().empty());
}

TEST_F(DataManagerTest, ListsAreFoundOnlyForTheirCategory) {
  CDataManager& store = CDataManager::GetInstance();
  Fill(store, CATEGORY_LANCE);
  EXPECT_NE(store.GetWeaponList(CATEGORY_LANCE), nullptr);
  EXPECT_EQ(store.GetWeaponList(CATEGORY_GUNLANCE), nullptr);
  EXPECT_EQ(store.GetActionList(-1), nullptr);
  EXPECT_EQ(store.GetHitPatternList(100), nullptr);
}

TEST_F(DataManagerTest, EmptyWeaponListIsRemovedButOthersStay) {
  CDataManager& store = CDataManager::GetInstance();
  store.WeaponsOf(CATEGORY_KATANA);
  store.ActionsOf(CATEGORY_KATANA);
  store.RemoveWeaponListIfEmpty(CATEGORY_KATANA);
  EXPECT_EQ(store.GetWeaponList(CATEGORY_KATANA), nullptr);
  EXPECT_NE(store.GetActionList(CATEGORY_KATANA), nullptr);
  Fill(store, CATEGORY_KATANA);
  store.RemoveWeaponListIfEmpty(CATEGORY_KATANA);
  EXPECT_NE(store.GetWeaponList(CATEGORY_KATANA), nullptr);
}

// ---- name tables ------------------------------------------------------------

struct NameRow_t {
  const char* pszRow;
  std::string (*pLookup)(int);
  int nIndex;
  std::string strName;
};

class NameTableTest : public ::testing::TestWithParam<NameRow_t> {};

TEST_P(NameTableTest, Answers) {
  EXPECT_EQ(GetParam().pLookup(GetParam().nIndex), GetParam().strName);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameTableTest,
    ::testing::Values(
        NameRow_t{"CategorySword", CDataManager::GetCategoryName, 0, "Sword"},
        NameRow_t{"CategoryDualSword", CDataManager::GetCategoryName, 1, "DualSword"},
        NameRow_t{"CategoryGreatSword", CDataManager::GetCategoryName, 2, "GreatSword"},
        NameRow_t{"CategoryKatana", CDataManager::GetCategoryName, 3, "Katana"},
        NameRow_t{"CategoryLance", CDataManager::GetCategoryName, 4, "Lance"},
        NameRow_t{"CategoryGunLance", CDataManager::GetCategoryName, 5, "GunLance"},
        NameRow_t{"CategoryHummer", CDataManager::GetCategoryName, 6, "Hummer"},
        NameRow_t{"CategoryHuntingHorn", CDataManager::GetCategoryName, 7, "HuntingHorn"},
        NameRow_t{"CategoryEight", CDataManager::GetCategoryName, 8, "Error"},
        NameRow_t{"CategoryNegative", CDataManager::GetCategoryName, -1, "Error"},
        NameRow_t{"LabelSword", CDataManager::GetCategoryLabel, 0, velkar::ToSjis(u8"片手剣")},
        NameRow_t{"LabelGunLance", CDataManager::GetCategoryLabel, 5,
                  velkar::ToSjis(u8"ガンランス")},
        NameRow_t{"LabelHuntingHorn", CDataManager::GetCategoryLabel, 7,
                  velkar::ToSjis(u8"狩猟笛")},
        NameRow_t{"LabelNegative", CDataManager::GetCategoryLabel, -1, "Error"},
        NameRow_t{"LabelEight", CDataManager::GetCategoryLabel, 8, "Error"},
        NameRow_t{"SharpnessRed", CDataManager::GetSharpnessName, 0, velkar::ToSjis(u8"赤")},
        NameRow_t{"SharpnessGreen", CDataManager::GetSharpnessName, 3, velkar::ToSjis(u8"緑")},
        NameRow_t{"SharpnessWhite", CDataManager::GetSharpnessName, 5, velkar::ToSjis(u8"白")},
        NameRow_t{"SharpnessSix", CDataManager::GetSharpnessName, 6, "Error"},
        NameRow_t{"SharpnessNegative", CDataManager::GetSharpnessName, -1, "Error"},
        NameRow_t{"ElementNone", CDataManager::GetElementName, 0, velkar::ToSjis(u8"無")},
        NameRow_t{"ElementDragon", CDataManager::GetElementName, 5, velkar::ToSjis(u8"龍")},
        NameRow_t{"ElementSleep", CDataManager::GetElementName, 8, velkar::ToSjis(u8"眠")},
        NameRow_t{"ElementNine", CDataManager::GetElementName, 9, "Error"},
        NameRow_t{"ElementMinimum", CDataManager::GetElementName, INT32_MIN, "Error"}),
    [](const ::testing::TestParamInfo<NameRow_t>& rowInfo) {
      return std::string(rowInfo.param.pszRow);
    });

TEST(NameTableTest, EveryEntryIsDistinctAndNotError) {
  std::vector<std::string> arrName;
  for (int i = 0; i < CATEGORY_COUNT; ++i) {
    arrName.push_back(CDataManager::GetCategoryName(i));
    arrName.push_back(CDataManager::GetCategoryLabel(i));
  }
  for (int i = 0; i <= SHARPNESS_MAX; ++i) arrName.push_back(CDataManager::GetSharpnessName(i));
  for (int i = 0; i < ELEMENT_COUNT; ++i) arrName.push_back(CDataManager::GetElementName(i));
  for (size_t i = 0; i < arrName.size(); ++i) {
    EXPECT_NE(arrName[i], "Error");
    for (size_t j = i + 1; j < arrName.size(); ++j)
      EXPECT_NE(arrName[i], arrName[j]) << i << " " << j;
  }
}

}  // namespace
