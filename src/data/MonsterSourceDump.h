// The INI source of the monster data file's records, for velkar-tool dump and
// the web page's downloads: the "Monster" list (from 0), one section per
// monster named by its name with "Anger" and its regions (from 0), and
// "Level" (from 1). Monster names are
// taken as the reader returns them, blanks included, so they are written
// whole (in quotes when the reader would strip quotes or blanks); entries that
// no source can give back are written as near as they go, with a warning.
#pragma once

#include <string>

#include "data/MonsterFileRecords.h"

class CIniSourceWriter;

void WriteMonsterSource(const MonsterFileContents_t& contents, CIniSourceWriter& writer);

// The first record in which two monster files differ, or the empty text.
std::string FirstMonsterDifference(const MonsterFileContents_t& expected,
                                   const MonsterFileContents_t& actual);
