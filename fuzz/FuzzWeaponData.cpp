// Fuzzes the weapon data file reader: any bytes must load without a fault, in
// memory bounded by the input, into any category. Whatever decodes cleanly
// must survive being written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "FuzzSupport.h"
#include "data/DataManager.h"
#include "data/WeaponDataFile.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::span<const uint8_t> bytes(pData, nSize);
  const int nCategory = static_cast<int>(nSize % CATEGORY_COUNT);

  CDataManager store;
  std::optional<DataFileError_t> error;
  const bool bLoaded = CWeaponDataFile::Load(bytes, nCategory, store, error);
  Require(store.GetActionList(nCategory) != nullptr);
  // Damaged after a weapon, the complete weapons are kept: loaded, with an
  // error.
  Require(bLoaded == (store.GetWeaponList(nCategory) != nullptr));
  if (error) Require(error->nOffset <= nSize);

  WeaponFileContents_t contents;
  if (!CWeaponDataFile::Decode(bytes, contents)) {
    WeaponFileContents_t again;
    Require(!CWeaponDataFile::Decode(CWeaponDataFile::Encode(contents), again));
    Require(again == contents);
  }
  store.Clear();
  return 0;
}
