// The records of the monster data file as the file holds them, before they
// become game records: the converter builds them from the source file, the
// loader decodes them from the data file, and tools print them. 4-byte values
// stay whole here; the game records keep only their low 8 bits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct RegionRecord_t {
  std::string strName;
  // Physical 1 to 3 (cut, impact, unused), then fire, water, thunder, ice, dragon.
  std::array<int32_t, 8> nValue{};

  bool operator==(const RegionRecord_t&) const = default;
};

struct MonsterRecord_t {
  std::string strName;
  std::array<int32_t, 3> nAnger{};  // the second one is the anger factor's
  std::vector<RegionRecord_t> arrRegion;

  bool operator==(const MonsterRecord_t&) const = default;
};

struct LevelRecord_t {
  std::string strName;
  uint8_t byRate = 0;

  bool operator==(const LevelRecord_t&) const = default;
};

struct MonsterFileContents_t {
  std::vector<MonsterRecord_t> arrMonster;
  std::vector<LevelRecord_t> arrLevel;

  bool operator==(const MonsterFileContents_t&) const = default;
};
