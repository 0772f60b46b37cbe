#include "data/WeaponDataFile.h"

#include <memory>

#include "data/ByteCursor.h"
#include "data/ByteWriter.h"
#include "data/DataManager.h"
#include "data/LowBits.h"
#include "data/SourceReader.h"
#include "data/SourceValueParser.h"
#include "model/CategoryTable.h"

namespace {

// The smallest record of each list; a name line is at least its line end (LF).
constexpr size_t kMinMotionSize = 1 + 1 + 1 + 4;
constexpr size_t kMinHitPatternSize = 1 + 4 + 4;
constexpr size_t kMinWeaponSize = 1 + 4 * 4;

bool ReadMotionValue(CByteCursor& cursor, uint16_t& wValue) {
  return cursor.ReadU16(wValue);
}

bool ReadMotion(CByteCursor& cursor, MotionRecord_t& motion) {
  return cursor.ReadLine(motion.strName) && cursor.ReadU8(motion.byCutRate) &&
         cursor.ReadU8(motion.byImpactRate) &&
         ReadCountedList(cursor, "value", 2, ReadMotionValue, motion.arrValue);
}

bool ReadHitPattern(CByteCursor& cursor, HitPatternRecord_t& pattern) {
  return cursor.ReadLine(pattern.strName) && cursor.ReadI32(pattern.nLowRate) &&
         cursor.ReadI32(pattern.nHighRate);
}

bool ReadWeapon(CByteCursor& cursor, WeaponRecord_t& weapon) {
  return cursor.ReadLine(weapon.strName) && cursor.ReadI32(weapon.nAttack) &&
         cursor.ReadI32(weapon.nElement) && cursor.ReadI32(weapon.nElementMask) &&
         cursor.ReadI32(weapon.nSharpness);
}

void AddMotions(const std::vector<MotionRecord_t>& arrRecord, CDataManager::ActionList& arrAction) {
  for (const MotionRecord_t& motion : arrRecord) {
    auto pAction = std::make_unique<CAction>(motion.strName);
    pAction->SetRate(motion.byCutRate, motion.byImpactRate);
    for (const uint16_t wValue : motion.arrValue) pAction->AddMotion(wValue);
    arrAction.push_back(std::move(pAction));
  }
}

void AddHitPatterns(const std::vector<HitPatternRecord_t>& arrRecord,
                    CDataManager::HitPatternList& arrPattern) {
  for (const HitPatternRecord_t& pattern : arrRecord) {
    arrPattern.push_back(std::make_unique<CHitPattern>(pattern.strName, Low8(pattern.nLowRate),
                                                       Low8(pattern.nHighRate)));
  }
}

void AddWeapons(const std::vector<WeaponRecord_t>& arrRecord, int nCategory,
                CDataManager::WeaponList& arrWeapon) {
  for (const WeaponRecord_t& record : arrRecord) {
    std::unique_ptr<CWeapon> pWeapon = CreateWeapon(nCategory);
    pWeapon->SetStatus(record.strName, Low16(record.nAttack), Low16(record.nElement),
                       record.nElementMask, record.nSharpness);
    arrWeapon.push_back(std::move(pWeapon));
  }
}

}  // namespace

std::optional<DataFileError_t> CWeaponDataFile::Decode(std::span<const uint8_t> bytes,
                                                       WeaponFileContents_t& contents) {
  CByteCursor cursor(bytes);
  if (ReadCountedList(cursor, "motion", kMinMotionSize, ReadMotion, contents.arrMotion) &&
      ReadCountedList(cursor, "hit pattern", kMinHitPatternSize, ReadHitPattern,
                      contents.arrHitPattern)) {
    ReadCountedList(cursor, "weapon", kMinWeaponSize, ReadWeapon, contents.arrWeapon);
  }
  return cursor.Error();
}

std::vector<uint8_t> CWeaponDataFile::Encode(const WeaponFileContents_t& contents) {
  CByteWriter writer;
  writer.PutCount(contents.arrMotion.size());
  for (const MotionRecord_t& motion : contents.arrMotion) {
    writer.PutLine(motion.strName);
    writer.PutU8(motion.byCutRate);
    writer.PutU8(motion.byImpactRate);
    writer.PutCount(motion.arrValue.size());
    for (const uint16_t wValue : motion.arrValue) writer.PutU16(wValue);
  }
  writer.PutCount(contents.arrHitPattern.size());
  for (const HitPatternRecord_t& pattern : contents.arrHitPattern) {
    writer.PutLine(pattern.strName);
    writer.PutI32(pattern.nLowRate);
    writer.PutI32(pattern.nHighRate);
  }
  writer.PutCount(contents.arrWeapon.size());
  for (const WeaponRecord_t& weapon : contents.arrWeapon) {
    writer.PutLine(weapon.strName);
    writer.PutI32(weapon.nAttack);
    writer.PutI32(weapon.nElement);  // the data file puts the value before the mask
    writer.PutI32(weapon.nElementMask);
    writer.PutI32(weapon.nSharpness);
  }
  return writer.TakeBytes();
}

WeaponFileContents_t CWeaponDataFile::ReadSource(const SourceLookup& lookup,
                                                 std::vector<SkippedEntry_t>& arrSkipped,
                                                 CSourceReadListener* pListener) {
  CSourceReader reader(lookup, arrSkipped, pListener);
  WeaponFileContents_t contents;
  reader.ReadList(eSOURCE_ENTRY::MOTION, "Action", 1, ParseActionValue, contents.arrMotion);
  reader.ReadList(eSOURCE_ENTRY::HIT_PATTERN, "HitPattern", 1, ParseHitPatternValue,
                  contents.arrHitPattern);
  reader.ReadList(eSOURCE_ENTRY::WEAPON, "Weapon", 1, ParseWeaponValue, contents.arrWeapon);
  return contents;
}

bool CWeaponDataFile::Load(std::span<const uint8_t> bytes, int nCategory, CDataManager& store,
                           std::optional<DataFileError_t>& error) {
  if (nCategory < 0 || nCategory >= CATEGORY_COUNT) return false;
  WeaponFileContents_t contents;
  error = Decode(bytes, contents);
  // Both lists exist from the moment the file is read, even when empty.
  AddMotions(contents.arrMotion, store.ActionsOf(nCategory));
  AddHitPatterns(contents.arrHitPattern, store.HitPatternsOf(nCategory));
  AddWeapons(contents.arrWeapon, nCategory, store.WeaponsOf(nCategory));
  store.RemoveWeaponListIfEmpty(nCategory);
  return store.GetWeaponList(nCategory) != nullptr;
}
