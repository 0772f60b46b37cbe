// CMonsterDataFile: the monster data file, "Monster.dat", in both directions.
//
// Layout (little-endian, no header): two lists, each a 4-byte count followed
// by its records.
//   monsters: name line, anger 1..3 (4 each), region count (4), regions
//   region:   name line, physical 1..3, fire, water, thunder, ice, dragon (4 each)
//   levels:   name line, rate (1)
// A name line is the Shift-JIS name followed by CR LF. Bytes after the level
// list are ignored.
//
// The source file lists monster names in "Monster" (numbered from 0); each
// monster's own section, named by that name, holds "Anger" and its regions
// (numbered from 0); "Level" is numbered from 1.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "data/ConvertReport.h"
#include "data/DataFileError.h"
#include "data/MonsterFileRecords.h"
#include "data/SourceLookup.h"
#include "data/SourceReadListener.h"

class CDataManager;

class CMonsterDataFile {
public:
  // Decodes the records the bytes hold, in order. Monsters and levels
  // completed before a damaged field stay in contents (a monster only with all
  // its regions); the error (without a path) tells what was wrong.
  static std::optional<DataFileError_t> Decode(std::span<const uint8_t> bytes,
                                               MonsterFileContents_t& contents);

  // The data file's bytes for the records.
  static std::vector<uint8_t> Encode(const MonsterFileContents_t& contents);

  // The records of a source file, skipped entries noted in arrSkipped; a
  // listener, when given, hears of every entry read.
  static MonsterFileContents_t ReadSource(const SourceLookup& lookup,
                                          std::vector<SkippedEntry_t>& arrSkipped,
                                          CSourceReadListener* pListener = nullptr);

  // Decodes the bytes and appends the monsters and levels to the store. True
  // when the bytes were whole, even if they hold no monster or level; error is
  // set when they were damaged.
  static bool Load(std::span<const uint8_t> bytes, CDataManager& store,
                   std::optional<DataFileError_t>& error);
};
