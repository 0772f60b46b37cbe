#include "data/MonsterSourceDump.h"

#include <algorithm>
#include <map>

#include "data/DumpRecords.h"
#include "data/SourceValueParser.h"

namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The sections the file itself needs; a monster's section may not be one of
// them (section names compare without ASCII case).
bool IsListSectionName(std::string_view name) {
  const auto IsUpper = [name](std::string_view upper) {
    return std::equal(name.begin(), name.end(), upper.begin(), upper.end(),
                      [](char c, char u) { return AsciiUpper(c) == u; });
  };
  return IsUpper("MONSTER") || IsUpper("LEVEL");
}

std::string MonsterNameProblem(const CIniSourceWriter& writer, std::string_view name) {
  std::string strProblem = writer.EncodingProblem(name);
  if (strProblem.empty()) strProblem = writer.ValueProblem(name);
  return strProblem.empty() ? "the INI reader gives the name back differently" : strProblem;
}

// The "Monster" list entry for a name: the name itself, or the name in
// quotes when the reader would remove a pair of quotes around it.
void WriteMonsterListEntry(CIniSourceWriter& writer, size_t nIndex, const std::string& strName) {
  std::string strValue = strName;
  if (writer.ReadBack(strValue) != strName && writer.ReadBack("\"" + strName + "\"") == strName) {
    strValue = "\"" + strName + "\"";
  }
  const std::string strKey = std::to_string(nIndex);
  writer.Entry(strKey, strValue);
  std::string strProblem;
  if (strName.empty()) {
    // Reading the list stops at the first empty value.
    strProblem = "an empty monster name ends the Monster list, no later monster is read";
  } else if (writer.ReadBack(strValue) != strName) {
    strProblem = MonsterNameProblem(writer, strName);
  }
  if (!strProblem.empty()) writer.Warn("[Monster] " + strKey + " " + strName + ": " + strProblem);
}

std::string AngerValue(const MonsterRecord_t& monster) {
  return std::to_string(monster.nAnger[0]) + "," + std::to_string(monster.nAnger[1]) + "," +
         std::to_string(monster.nAnger[2]);
}

std::string RegionValue(const RegionRecord_t& region) {
  std::string strValue = region.strName;
  for (int32_t nValue : region.nValue) strValue += "," + std::to_string(nValue);
  return strValue;
}

void WriteMonsterSection(CIniSourceWriter& writer, const MonsterRecord_t& monster) {
  const std::string& strName = monster.strName;
  if (IsListSectionName(strName)) {
    writer.Warn("[" + strName +
                "]: a monster's section cannot have the name of the Monster or "
                "Level list");
  } else if (!strName.empty() && !writer.FindsSection(strName)) {
    writer.Warn("[" + strName + "]: the INI reader does not find a section of this name");
  }
  writer.Section(strName);
  writer.Entry("Anger", AngerValue(monster));
  for (size_t r = 0; r < monster.arrRegion.size(); ++r) {
    const RegionRecord_t& region = monster.arrRegion[r];
    WriteCheckedEntry(writer, strName, std::to_string(r), region, RegionValue(region),
                      ParseRegionValue);
  }
}

}  // namespace

void WriteMonsterSource(const MonsterFileContents_t& contents, CIniSourceWriter& writer) {
  writer.Section("Monster");
  for (size_t i = 0; i < contents.arrMonster.size(); ++i) {
    WriteMonsterListEntry(writer, i, contents.arrMonster[i].strName);
  }
  // Monsters of the same name share one section: the first one's.
  std::map<std::string, const MonsterRecord_t*> mapSection;
  for (const MonsterRecord_t& monster : contents.arrMonster) {
    const auto [it, bNew] = mapSection.try_emplace(monster.strName, &monster);
    if (bNew) {
      WriteMonsterSection(writer, monster);
    } else if (!Same(*it->second, monster)) {
      writer.Warn("[" + monster.strName +
                  "]: two monsters of this name hold different values, "
                  "but both are read from one section");
    }
  }
  writer.Section("Level");
  for (size_t i = 0; i < contents.arrLevel.size(); ++i) {
    const LevelRecord_t& level = contents.arrLevel[i];
    WriteCheckedEntry(writer, "Level", std::to_string(i + 1), level,
                      level.strName + "," + std::to_string(level.byRate), ParseLevelValue);
  }
}

std::string FirstMonsterDifference(const MonsterFileContents_t& expected,
                                   const MonsterFileContents_t& actual) {
  std::string strDifference = FirstDifference("Monster", 0, expected.arrMonster, actual.arrMonster);
  if (strDifference.empty()) {
    strDifference = FirstDifference("Level", 1, expected.arrLevel, actual.arrLevel);
  }
  return strDifference;
}
