// velkar-tool dump: the printed source converts back into the same data file
// byte for byte (source -> data -> dump -> source -> data), and a file that
// no source can give is printed as the nearest source with a warning and
// exit code 1.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/RowName.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

// A 4-byte little-endian count or value of a data file.
std::string U32(uint32_t n) {
  return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
          static_cast<char>(n >> 24)};
}

// A weapon file: one motion "a" with these rates and the value 10, no hit
// pattern, one weapon of this name (attack 100, sharpness 3).
std::string WeaponFile(char cCut, char cImpact, const std::string& strName) {
  return U32(1) + "a\r\n" + cCut + cImpact + U32(1) + std::string("\x0A\x00", 2) + U32(0) + U32(1) +
         strName + "\r\n" + U32(100) + U32(0) + U32(0) + U32(3);
}

// A monster file with one monster of this name (anger 1, 90, 3), no region,
// no level.
std::string MonsterFile(const std::string& strName) {
  return U32(1) + strName + "\r\n" + U32(1) + U32(90) + U32(3) + U32(0) + U32(0);
}

// With --sjis the printed source is the bytes a user saves.
TEST(DumpCommandTest, PrintedSourceConvertsToTheSameBytes) {
  CTestDataDir first;
  first.WriteText("Monster.ini",
                  u8"[Monster]\n0=深海竜アビソ\n1=天轟龍ゾルディナーク\n"
                  u8"[深海竜アビソ]\nAnger=100,90,100\n0=頭部,45,45,45,10,20,30,40,50\n"
                  u8"[天轟龍ゾルディナーク]\nAnger=-1, 300, 0\n0=角,300,-20,45,10,25,15,10,5\n"
                  u8"[Level]\n1=下位,100\n2=上位,85\n");
  ASSERT_EQ(ConvertWithEmptySources(first.Path(), "convert monsters").nExit, 0);
  const ToolResult_t dump = RunToolIn(first.Path(), "--sjis dump Monster.dat");
  EXPECT_EQ(dump.nExit, 0) << dump.strErr;

  CTestDataDir second;
  second.WriteBytes("Monster.ini", dump.strOut);
  ASSERT_EQ(ConvertWithEmptySources(second.Path(), "convert monsters").nExit, 0);
  EXPECT_EQ(second.ReadBytes("Monster.dat"), first.ReadBytes("Monster.dat")) << dump.strOut;
}

// Every rate letter and the hit patterns: the small data set's sword file.
TEST(DumpCommandTest, RateLettersAndHitPatterns) {
  const ToolResult_t dump = RunToolIn(SmallDataSet(), "dump Sword.dat");
  EXPECT_EQ(dump.nExit, 0) << dump.strErr;
  EXPECT_EQ(dump.strOut,
            "[Action]\n1=a,10\n2=b,B50,20,30\n3=c,A80,5\n4=d,C120,7\n5=e,1000\n\n[HitPattern]\n"
            "1=h,100,110\n2=g,80,70\n\n[Weapon]\n1=w,196,2,100,3,0\n");
}

// The source of MonsterFile: the list entry, then the monster's section.
std::string MonsterSource(const std::string& strEntry, const std::string& strSection) {
  return "[Monster]\n0=" + strEntry + "\n\n[" + strSection + "]\nAnger=1,90,3\n\n[Level]\n";
}

const std::string kX5119(5119, 'x');

// Files that no source converts into: the nearest source is printed and the
// difference is named in a warning on stderr. A monster's name is the whole
// value of its list entry, and 5119 bytes is what the INI reader keeps whole.
// The file is given by its path, its name matched without regard to case.
struct NearestRow_t {
  const char* szName;
  const char* szFile;
  std::string strBytes;
  std::string strOut;      // the whole of stdout
  std::string strWarning;  // each warning after the file's path, a line each
};

class DumpNearestSourceTest : public ::testing::TestWithParam<NearestRow_t> {};

TEST_P(DumpNearestSourceTest, WarnsAndExitsWithOneOrPrintsTheSource) {
  const NearestRow_t& row = GetParam();
  CTestDataDir dir;
  dir.WriteBytes(row.szFile, row.strBytes);
  const ToolResult_t result = RunTool({"dump", dir.PathOf(row.szFile)});
  EXPECT_EQ(result.nExit, row.strWarning.empty() ? 0 : 1);
  EXPECT_EQ(result.strOut, row.strOut);
  std::string strErr;
  std::istringstream warnings(row.strWarning);
  for (std::string strLine; std::getline(warnings, strLine);)
    strErr += "velkar-tool: warning: " + dir.PathOf(row.szFile) + ": " + strLine + "\n";
  EXPECT_EQ(result.strErr, strErr);
}

const NearestRow_t kNearestRows[] = {
    {"NameInAnotherCase", "dualsword.DAT", U32(0) + U32(0) + WeaponFile(100, 100, "d").substr(19),
     "[Action]\n\n[HitPattern]\n\n[Weapon]\n1=d,100,0,0,3,0\n", ""},
    {"TwoRatesNoLetterCanSet", "Sword.dat", WeaponFile(80, 60, "w"),
     "[Action]\n1=a,B80,10\n\n[HitPattern]\n\n[Weapon]\n1=w,100,0,0,3,0\n",
     "[Action] 1 a: cut rate 80 and impact rate 60 cannot both be set (one letter, A, B or C, per "
     "motion); written with B80, so the impact rate becomes 100"},
    {"ValueOfTheLongestKept", "Monster.dat", MonsterFile(kX5119), MonsterSource(kX5119, kX5119),
     ""},
    {"ValueLongerThanTheReaderKeeps", "Monster.dat", MonsterFile(kX5119 + "x"),
     MonsterSource(kX5119 + "x", kX5119 + "x"),
     "[Monster] 0 " + kX5119 +
         "x: the entry is longer than 5119 bytes, where the INI reader cuts it"},
    // The list entry keeps the blank inside quotes, but a section header
    // cannot: the reader trims section names.
    {"MonsterNameWithOuterBlank", "Monster.dat", MonsterFile(" m"), MonsterSource("\" m\"", " m"),
     "[ m]: the INI reader does not find a section of this name"},
    // Not Shift-JIS: printed as U+FFFD, which the converter would not read back.
    {"MonsterNameNotShiftJis", "Monster.dat", MonsterFile("m\xFF"),
     MonsterSource("m\uFFFD", "m\uFFFD"),
     "[Monster] 0 m\uFFFD: the name holds bytes that do not come back through UTF-8 (not Shift-JIS "
     "text, or a character Shift-JIS has twice); --sjis prints the bytes unchanged\n"
     "[m\uFFFD]: the INI reader does not find a section of this name"},
    {"MonsterNamedLikeAList", "Monster.dat", MonsterFile("LeVel"), MonsterSource("LeVel", "LeVel"),
     "[LeVel]: a monster's section cannot have the name of the Monster or Level list"},
};

INSTANTIATE_TEST_SUITE_P(Dump, DumpNearestSourceTest, ::testing::ValuesIn(kNearestRows),
                         RowName<NearestRow_t>);

}  // namespace
