// Fuzzes the converters end to end: the input is saved as both the Sword and
// the Monster source file in a scratch folder, both are converted, and the
// data files are loaded again. Whatever the source holds, the converters must
// write files that load without damage and give exactly the records counted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "data/DataManager.h"

using fuzz::Require;
using fuzz::ScratchFolder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::string_view source(reinterpret_cast<const char*>(pData), nSize);
  CDataManager& store = CDataManager::GetInstance();
  store.SetDataDirectory(ScratchFolder());
  fuzz::WriteFile(store.GetWeaponSourcePath(CATEGORY_SWORD), source);
  fuzz::WriteFile(store.GetMonsterSourcePath(), source);

  Require(store.ConvertWeaponIni(CATEGORY_SWORD));
  const ConvertReport_t weapons = store.GetLastConvertReport();
  Require(store.ConvertMonsterIni());
  const ConvertReport_t monsters = store.GetLastConvertReport();

  const bool bHasWeapons = store.LoadWeaponData(CATEGORY_SWORD);
  Require(store.LoadMonsterData());
  Require(store.GetLoadErrors().empty());
  Require(bHasWeapons == (weapons.nCount[2] > 0));
  Require(store.GetActionList(CATEGORY_SWORD)->size() == weapons.nCount[0]);
  Require(store.GetHitPatternList(CATEGORY_SWORD)->size() == weapons.nCount[1]);
  Require(store.GetMonsterList().size() == monsters.nCount[0]);
  Require(store.GetLevelList().size() == monsters.nCount[2]);
  store.Clear();
  return 0;
}
