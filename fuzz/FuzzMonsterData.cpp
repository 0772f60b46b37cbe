// Fuzzes the monster data file reader: any bytes must load without a fault, in
// memory bounded by the input. Whatever decodes cleanly must survive being
// written and read again unchanged.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "FuzzSupport.h"
#include "data/DataManager.h"
#include "data/MonsterDataFile.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::span<const uint8_t> bytes(pData, nSize);

  CDataManager store;
  std::optional<DataFileError_t> error;
  const bool bLoaded = CMonsterDataFile::Load(bytes, store, error);
  Require(bLoaded == !error);
  if (error) Require(error->nOffset <= nSize);

  MonsterFileContents_t contents;
  if (!CMonsterDataFile::Decode(bytes, contents)) {
    Require(store.GetMonsterList().size() == contents.arrMonster.size());
    MonsterFileContents_t again;
    Require(!CMonsterDataFile::Decode(CMonsterDataFile::Encode(contents), again));
    Require(again == contents);
  }
  store.Clear();
  return 0;
}
