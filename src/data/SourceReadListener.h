// CSourceReadListener: sees a source file the way a converter reads it, entry
// by entry, so that a checking tool reports on exactly what the converter
// reads and skips, without a second copy of its rules.
#pragma once

#include <string_view>

#include "data/SourceLookup.h"

// What an entry of a source file describes.
enum class eSOURCE_ENTRY {
  MOTION,       // "Action" of a weapon source
  HIT_PATTERN,  // "HitPattern"
  WEAPON,       // "Weapon"
  MONSTER,      // "Monster": a monster's name
  ANGER,        // "Anger" of a monster's section
  REGION,       // a numbered entry of a monster's section
  LEVEL,        // "Level"
};

class CSourceReadListener {
public:
  virtual ~CSourceReadListener() = default;

  // An entry the converter read (an absent "Anger" included, with an empty
  // value). strSkipReason is empty when the entry was kept, else the reason
  // the converter gives for skipping it.
  virtual void OnEntry(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
                       const SourceValue_t& value, std::string_view strSkipReason) = 0;

  // A numbered list ended: entry nEnd is absent or empty, and the converter
  // reads no entry of the list after it.
  virtual void OnListEnd(eSOURCE_ENTRY eKind, std::string_view section, int nEnd) = 0;
};
