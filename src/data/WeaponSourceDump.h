// The INI source of a weapon data file's records, for velkar-tool dump and
// the web page's downloads: the sections "Action", "HitPattern" and "Weapon",
// numbered from 1. Each entry is written so that the converter reads it back into the same record;
// where no source can do that (a motion without values, two rates that differ from each other and
// from 100, a name the converter changes) the nearest entry is written and a warning noted.
#pragma once

#include <string>

#include "data/WeaponFileRecords.h"

class CIniSourceWriter;

void WriteWeaponSource(const WeaponFileContents_t& contents, CIniSourceWriter& writer);

// The first record in which two weapon files differ ("[Weapon] 3 ..."), or
// the empty text when they hold the same records.
std::string FirstWeaponDifference(const WeaponFileContents_t& expected,
                                  const WeaponFileContents_t& actual);
