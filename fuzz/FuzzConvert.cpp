// Fuzzes the converters end to end: the input is saved as both the Sword and
// the Monster source file in a scratch folder, both are converted, and the
// data files are loaded again. Whatever the source holds, the converters must
// write files that load without damage and give exactly the records counted.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "data/DataManager.h"

namespace {

void Require(bool bCondition) {
  if (!bCondition) __builtin_trap();
}

std::string MakeScratchFolder() {
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string strTemplate = (base / "velkar-fuzz-XXXXXX").string();
  Require(mkdtemp(strTemplate.data()) != nullptr);
  return strTemplate + "/";
}

void RemoveScratchFolder();

// A scratch folder for the whole run, in memory when the system offers one,
// removed at exit (registered after the name exists, so it runs before the
// name is destroyed).
const std::string& ScratchFolder() {
  static const std::string s_strFolder = MakeScratchFolder();
  static const bool s_bRemoveAtExit = std::atexit(RemoveScratchFolder) == 0;
  (void)s_bRemoveAtExit;
  return s_strFolder;
}

void RemoveScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(ScratchFolder(), ec);
}

void WriteSource(const std::string& strPath, const uint8_t* pData, size_t nSize) {
  std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(nSize));
  Require(static_cast<bool>(out));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  CDataManager& store = CDataManager::GetInstance();
  store.SetDataDirectory(ScratchFolder());
  WriteSource(store.GetWeaponSourcePath(CATEGORY_SWORD), pData, nSize);
  WriteSource(store.GetMonsterSourcePath(), pData, nSize);

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
