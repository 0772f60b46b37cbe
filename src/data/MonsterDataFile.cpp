#include "data/MonsterDataFile.h"

#include <memory>

#include "data/ByteCursor.h"
#include "data/ByteWriter.h"
#include "data/DataManager.h"
#include "data/LowBits.h"
#include "data/SourceReader.h"
#include "data/SourceValueParser.h"

namespace {

// The smallest record of each list; a name line is at least its line end (LF).
constexpr size_t kMinMonsterSize = 1 + 4 * 4;
constexpr size_t kMinRegionSize = 1 + 8 * 4;
constexpr size_t kMinLevelSize = 1 + 1;

bool ReadRegion(CByteCursor& cursor, RegionRecord_t& region) {
  if (!cursor.ReadLine(region.strName)) return false;
  for (int32_t& nValue : region.nValue) {
    if (!cursor.ReadI32(nValue)) return false;
  }
  return true;
}

bool ReadMonster(CByteCursor& cursor, MonsterRecord_t& monster) {
  if (!cursor.ReadLine(monster.strName)) return false;
  for (int32_t& nAnger : monster.nAnger) {
    if (!cursor.ReadI32(nAnger)) return false;
  }
  return ReadCountedList(cursor, "region", kMinRegionSize, ReadRegion, monster.arrRegion);
}

bool ReadLevel(CByteCursor& cursor, LevelRecord_t& level) {
  return cursor.ReadLine(level.strName) && cursor.ReadU8(level.byRate);
}

std::unique_ptr<CMonster> MakeMonster(const MonsterRecord_t& record) {
  auto pMonster = std::make_unique<CMonster>(record.strName, Low8(record.nAnger[0]),
                                             Low8(record.nAnger[1]), Low8(record.nAnger[2]));
  for (const RegionRecord_t& region : record.arrRegion) {
    const std::array<uint8_t, 3> byPhys{Low8(region.nValue[0]), Low8(region.nValue[1]),
                                        Low8(region.nValue[2])};
    // Entry 0 (no element) is always 0; the status kinds 6 to 8 get nothing.
    std::array<uint8_t, 9> byElement{};
    for (size_t i = 0; i < 5; ++i) byElement[1 + i] = Low8(region.nValue[3 + i]);
    pMonster->AddRegion(region.strName, byPhys, byElement);
  }
  return pMonster;
}

void WriteRegion(CByteWriter& writer, const RegionRecord_t& region) {
  writer.PutLine(region.strName);
  for (const int32_t nValue : region.nValue) writer.PutI32(nValue);
}

void WriteMonster(CByteWriter& writer, const MonsterRecord_t& monster) {
  writer.PutLine(monster.strName);
  for (const int32_t nAnger : monster.nAnger) writer.PutI32(nAnger);
  writer.PutCount(monster.arrRegion.size());
  for (const RegionRecord_t& region : monster.arrRegion) WriteRegion(writer, region);
}

// The monster listed under a name: its "Anger" entry decides whether it is
// kept at all; then its regions.
void ReadSourceMonster(CSourceReader& reader, std::string strName,
                       MonsterFileContents_t& contents) {
  const ParseResult_t<std::array<int32_t, 3>> anger = reader.Accept(
      eSOURCE_ENTRY::ANGER, strName, "Anger", reader.Get(strName, "Anger"), ParseAngerValue);
  if (!anger.entry) return;
  MonsterRecord_t monster;
  monster.nAnger = *anger.entry;
  reader.ReadList(eSOURCE_ENTRY::REGION, strName, 0, ParseRegionValue, monster.arrRegion);
  monster.strName = std::move(strName);
  contents.arrMonster.push_back(std::move(monster));
}

}  // namespace

std::optional<DataFileError_t> CMonsterDataFile::Decode(std::span<const uint8_t> bytes,
                                                        MonsterFileContents_t& contents) {
  CByteCursor cursor(bytes);
  if (ReadCountedList(cursor, "monster", kMinMonsterSize, ReadMonster, contents.arrMonster)) {
    ReadCountedList(cursor, "level", kMinLevelSize, ReadLevel, contents.arrLevel);
  }
  return cursor.Error();
}

std::vector<uint8_t> CMonsterDataFile::Encode(const MonsterFileContents_t& contents) {
  CByteWriter writer;
  writer.PutCount(contents.arrMonster.size());
  for (const MonsterRecord_t& monster : contents.arrMonster) WriteMonster(writer, monster);
  writer.PutCount(contents.arrLevel.size());
  for (const LevelRecord_t& level : contents.arrLevel) {
    writer.PutLine(level.strName);
    writer.PutU8(level.byRate);
  }
  return writer.TakeBytes();
}

MonsterFileContents_t CMonsterDataFile::ReadSource(const SourceLookup& lookup,
                                                   std::vector<SkippedEntry_t>& arrSkipped,
                                                   CSourceReadListener* pListener) {
  CSourceReader reader(lookup, arrSkipped, pListener);
  MonsterFileContents_t contents;
  contents.arrMonster.reserve(lookup.CountKeys("Monster"));
  // Each name is taken as the reader gives it: blanks inside it stay, and it
  // names the monster's own section.
  reader.ForEachNumbered(eSOURCE_ENTRY::MONSTER, "Monster", 0,
                         [&](const std::string& strKey, const SourceValue_t& value) {
                           ParseResult_t<std::string> name = reader.Accept(
                               eSOURCE_ENTRY::MONSTER, "Monster", strKey, value, ParseMonsterName);
                           if (name.entry) {
                             ReadSourceMonster(reader, std::move(*name.entry), contents);
                           }
                         });
  reader.ReadList(eSOURCE_ENTRY::LEVEL, "Level", 1, ParseLevelValue, contents.arrLevel);
  return contents;
}

bool CMonsterDataFile::Load(std::span<const uint8_t> bytes, CDataManager& store,
                            std::optional<DataFileError_t>& error) {
  MonsterFileContents_t contents;
  error = Decode(bytes, contents);
  for (const MonsterRecord_t& record : contents.arrMonster)
    store.AppendMonster(MakeMonster(record));
  for (const LevelRecord_t& level : contents.arrLevel) {
    store.AppendLevel(std::make_unique<CLevel>(level.strName, level.byRate));
  }
  return !error.has_value();
}
