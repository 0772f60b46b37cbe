// CWeaponDataFile: the weapon data file of one category, in both directions.
//
// Layout (little-endian, no header): three lists, each a 4-byte count followed
// by its records.
//   motions:      name line, cut rate (1), impact rate (1), value count (4), values (2 each)
//   hit patterns: name line, low rate (4), high rate (4)
//   weapons:      name line, attack (4), element value (4), element mask (4), sharpness (4)
// A name line is the Shift-JIS name followed by CR LF. Bytes after the last
// list are ignored.
//
// The source file has the sections "Action", "HitPattern" and "Weapon", each
// numbered from 1 without gaps (see SourceValueParser.h for the values).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "data/ConvertReport.h"
#include "data/DataFileError.h"
#include "data/SourceLookup.h"
#include "data/SourceReadListener.h"
#include "data/WeaponFileRecords.h"

class CDataManager;

class CWeaponDataFile {
public:
  // Decodes the records the bytes hold, in order. Every record completed
  // before a damaged field stays in contents; the error (without a path)
  // tells where the bytes ended early or which count was too large.
  static std::optional<DataFileError_t> Decode(std::span<const uint8_t> bytes,
                                               WeaponFileContents_t& contents);

  // The data file's bytes for the records.
  static std::vector<uint8_t> Encode(const WeaponFileContents_t& contents);

  // The records of a source file, skipped entries noted in arrSkipped; a
  // listener, when given, hears of every entry read.
  static WeaponFileContents_t ReadSource(const SourceLookup& lookup,
                                         std::vector<SkippedEntry_t>& arrSkipped,
                                         CSourceReadListener* pListener = nullptr);

  // Decodes the bytes into the store's lists of the category: the motion and
  // hit pattern lists always exist afterwards, the weapon list only when it
  // holds a weapon. True when they gave at least one weapon, also when they
  // were damaged after it (the complete records are kept, as the monster file
  // keeps them); error is set when they were damaged. A category that is
  // no row of the category table gives false and leaves the store alone.
  static bool Load(std::span<const uint8_t> bytes, int nCategory, CDataManager& store,
                   std::optional<DataFileError_t>& error);
};
