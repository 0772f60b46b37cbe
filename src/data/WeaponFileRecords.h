// The records of a weapon data file as the file holds them, before they become
// game records: the converter builds them from the source file, the loader
// decodes them from the data file, and tools print them. 4-byte values stay
// whole here; the game records keep only their low bits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MotionRecord_t {
  std::string strName;
  uint8_t byCutRate = 100;
  uint8_t byImpactRate = 100;
  std::vector<uint16_t> arrValue;  // one motion value per hit

  bool operator==(const MotionRecord_t&) const = default;
};

struct HitPatternRecord_t {
  std::string strName;
  int32_t nLowRate = 0;   // sharpness levels 0 to 2
  int32_t nHighRate = 0;  // sharpness levels 3 to 5

  bool operator==(const HitPatternRecord_t&) const = default;
};

struct WeaponRecord_t {
  std::string strName;
  int32_t nAttack = 0;
  int32_t nElement = 0;      // element or status value
  int32_t nElementMask = 0;  // bit i: element index i
  int32_t nSharpness = 0;

  bool operator==(const WeaponRecord_t&) const = default;
};

struct WeaponFileContents_t {
  std::vector<MotionRecord_t> arrMotion;
  std::vector<HitPatternRecord_t> arrHitPattern;
  std::vector<WeaponRecord_t> arrWeapon;

  bool operator==(const WeaponFileContents_t&) const = default;
};
