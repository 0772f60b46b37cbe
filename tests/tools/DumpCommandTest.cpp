// velkar-tool dump: the printed source converts back into the same data file
// byte for byte (source -> data -> dump -> source -> data), the file's 4-byte
// values are printed whole, and a file that no source can give is printed as
// the nearest source with a warning and exit code 1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/ByteBuilder.h"
#include "platform/Cp932.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

// The printed source as a user saves it: Shift-JIS.
std::string SavedSource(const ToolResult_t& dump, bool bSjis) {
  if (bSjis) return dump.strOut;
  const std::optional<std::string> sjis = velkar::Utf8ToSjis(dump.strOut);
  return sjis.value_or("not convertible to Shift-JIS");
}

bool IsMonsterStem(const std::string& strStem) {
  return strStem == "Monster";
}

struct RoundTripRow_t {
  const char* szName;
  const char* szStem;
  const char8_t* szSource;
  bool bSjis;
};

class DumpRoundTripTest : public ::testing::TestWithParam<RoundTripRow_t> {};

TEST_P(DumpRoundTripTest, PrintedSourceConvertsToTheSameBytes) {
  const RoundTripRow_t& row = GetParam();
  const std::string strStem = row.szStem;
  const std::string strData = strStem + ".dat";
  const char* pszWhich = IsMonsterStem(strStem) ? "monsters" : "weapons";
  CTestDataDir first;
  first.WriteText(strStem + ".ini", row.szSource);
  ASSERT_EQ(ConvertWithEmptySources(first.Path(), {"convert", pszWhich}).nExit, 0);

  std::vector<std::string> arrArg{"--dir", first.Path()};
  if (row.bSjis) arrArg.push_back("--sjis");
  arrArg.insert(arrArg.end(), {"dump", strData});
  const ToolResult_t dump = RunTool(arrArg);
  EXPECT_EQ(dump.nExit, 0);
  EXPECT_EQ(dump.strErr, "");

  CTestDataDir second;
  second.WriteBytes(strStem + ".ini", std::string_view(SavedSource(dump, row.bSjis)));
  ASSERT_EQ(ConvertWithEmptySources(second.Path(), {"convert", pszWhich}).nExit, 0);
  EXPECT_EQ(second.ReadBytes(strData), first.ReadBytes(strData)) << dump.strOut;
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DumpRoundTripTest,
    ::testing::Values(
        RoundTripRow_t{"WeaponJapaneseNamesAndRateLetters", "Sword",
                       u8"[Action]\n"
                       u8"1=縦斬り, 18\n"
                       u8"2=連続斬り, 10, 10, 12, 18\n"
                       u8"3=盾殴り, B40, 10\n"
                       u8"4=ガード突き, C60, 16, 65535\n"
                       u8"5=溜め回転斬り, A110, 20, 30\n"
                       u8"6=全力斬り, A100, 0\n"
                       u8"7=空振り, 10,,20\n"
                       u8"[HitPattern]\n"
                       u8"1=通常, 100, 100\n"
                       u8"2=かすり当たり, 300, -1\n"
                       u8"[Weapon]\n"
                       u8"1=焔刃ヴァルゼナー, 252, 2, 280, 4, 0\n"
                       u8"2=紅毒剣ヴァルゼナ改, 70000, 66, 240, -1, 9\n"
                       u8"3=全属性の剣, -5, 511, 65536, 7, 0\n",
                       false},
        RoundTripRow_t{"WeaponRawShiftJis", "Hummer",
                       u8"[Action]\n1=叩きつけ, C80, 45\n[HitPattern]\n1=通常,100,100\n"
                       u8"[Weapon]\n1=岩砕きハンマー, 520, 0, 0, 2, 0\n",
                       true},
        RoundTripRow_t{"WeaponRatesKeptModulo256", "Katana",
                       u8"[Action]\n1=気刃斬り, A300, 26\n2=踏み込み斬り, B356, 24\n"
                       u8"[Weapon]\n1=太刀, 480, 0, 0, 3, 0\n",
                       false},
        RoundTripRow_t{"WeaponBlanksRemovedByTheConverter", "GreatSword",
                       u8"[Action]\n1=Over Head Slash, 48\n"
                       u8"[Weapon]\n1=Great Blade, 120,0,0,2,0\n",
                       false},
        RoundTripRow_t{"WeaponEmptySource", "Lance", u8"", false},
        RoundTripRow_t{"MonsterJapaneseNames", "Monster",
                       u8"[Monster]\n0=岩甲獣グラドム\n1=天轟龍ゾルディナーク\n"
                       u8"[岩甲獣グラドム]\nAnger=100,95,110\n"
                       u8"0=頭,55,60,45,10,25,15,10,5\n1=背中の岩殻,20,30,15,0,10,5,0,0\n"
                       u8"[天轟龍ゾルディナーク]\nAnger=-1, 300, 0\n"
                       u8"0=角,300,-20,45,10,25,15,10,5\n"
                       u8"[Level]\n1=下位,100\n2=上位,85\n3=訓練場,300\n",
                       false},
        RoundTripRow_t{"MonsterNameWithInnerBlanksAndQuotes", "Monster",
                       u8"[Monster]\n0=Old  Rath Alpha\n1=\"\"引用\"\"\n2=Old  Rath Alpha\n"
                       u8"[Old  Rath Alpha]\nAnger=100,90,100\n0=Head,45,45,45,10,20,30,40,50\n"
                       u8"[\"引用\"]\nAnger=1,2,3\n",
                       false},
        RoundTripRow_t{"MonsterTwinsDifferingInATrailByteCase", "Monster",
                       // セ is 83 5A and ホ is 83 7A: the names differ only in
                       // a trail byte that would fold as a letter.
                       u8"[Monster]\n0=双角獣セロン\n1=双角獣ホロン\n"
                       u8"[双角獣セロン]\nAnger=100,90,100\n0=角,50,50,50,0,0,0,0,0\n"
                       u8"[双角獣ホロン]\nAnger=100,80,100\n0=角,20,20,20,0,0,0,0,0\n",
                       false},
        RoundTripRow_t{"MonsterRawShiftJis", "Monster",
                       u8"[Monster]\n0=深海竜アビソ\n[深海竜アビソ]\nAnger=100,90,100\n"
                       u8"0=頭部,45,45,45,10,20,30,40,50\n[Level]\n1=上位,85\n",
                       true},
        RoundTripRow_t{"MonsterEmptySource", "Monster", u8"", false}),
    RowName<RoundTripRow_t>);

TEST(DumpCommandTest, PrintsTheFilesFourByteValuesWhole) {
  CTestDataDir dir;
  CByteBuilder data;
  data.U32(0);                                                      // no motion
  data.U32(1).Line("h").I32(300).I32(-1);                           // rates beyond a byte
  data.U32(1).Line("b").I32(70000).I32(-5).I32(0x10000002).I32(9);  // attack, element, mask,
                                                                    // sharpness
  dir.WriteBytes("Lance.dat", data.Bytes());

  const ToolResult_t result = RunToolIn(dir.Path(), {"dump", "Lance.dat"});

  EXPECT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_EQ(result.strOut,
            "[Action]\n\n[HitPattern]\n1=h,300,-1\n\n[Weapon]\n1=b,70000,268435458,-5,9,0\n");
}

TEST(DumpCommandTest, TakesAPathAndMatchesTheNameWithoutCase) {
  CTestDataDir dir;
  dir.WriteBytes("dualsword.DAT",
                 CByteBuilder().U32(0).U32(0).U32(1).Line("d").I32(1).I32(0).I32(0).I32(0).Bytes());

  const ToolResult_t result = RunTool({"dump", dir.PathOf("dualsword.DAT")});

  EXPECT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_EQ(result.strOut, "[Action]\n\n[HitPattern]\n\n[Weapon]\n1=d,1,0,0,0,0\n");
}

TEST(DumpCommandTest, MissingFileIsAnError) {
  CTestDataDir dir;
  const ToolResult_t result = RunToolIn(dir.Path(), {"dump", "Monster.dat"});
  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "velkar-tool: " + dir.PathOf("Monster.dat") + ": no such file\n");
}

// Files that no source converts into: the nearest source is printed and
// every difference is named on stderr.
struct NearestRow_t {
  const char* szName;
  const char* szFile;
  std::vector<uint8_t> arrBytes;
  std::string strOut;      // expected somewhere in stdout
  std::string strWarning;  // expected somewhere in stderr
  bool bSjis = false;
};

class DumpNearestSourceTest : public ::testing::TestWithParam<NearestRow_t> {};

TEST_P(DumpNearestSourceTest, WarnsAndExitsWithOne) {
  const NearestRow_t& row = GetParam();
  CTestDataDir dir;
  dir.WriteBytes(row.szFile, row.arrBytes);

  std::vector<std::string> arrArg{"--dir", dir.Path()};
  if (row.bSjis) arrArg.push_back("--sjis");
  arrArg.insert(arrArg.end(), {"dump", row.szFile});
  const ToolResult_t result = RunTool(arrArg);

  EXPECT_EQ(result.nExit, 1);
  EXPECT_NE(result.strOut.find(row.strOut), std::string::npos) << result.strOut;
  EXPECT_NE(result.strErr.find(row.strWarning), std::string::npos) << result.strErr;
  for (const std::string& strLine : SplitLines(result.strErr)) {
    EXPECT_EQ(strLine.rfind("velkar-tool: warning: ", 0), 0u) << strLine;
  }
}

// A weapon file with one motion, no hit pattern and the given weapon name.
std::vector<uint8_t> WeaponFile(uint8_t byCut, uint8_t byImpact, std::vector<uint16_t> arrValue,
                                std::string_view weaponName) {
  CByteBuilder data;
  data.U32(1).Line("a").U8(byCut).U8(byImpact).U32(static_cast<uint32_t>(arrValue.size()));
  for (uint16_t wValue : arrValue) data.U16(wValue);
  data.U32(0).U32(1).Line(weaponName).I32(100).I32(0).I32(0).I32(3);
  return data.Bytes();
}

// A monster file with the given monsters (no regions) and no level.
std::vector<uint8_t> MonsterFile(std::vector<std::pair<std::string, int32_t>> arrMonster) {
  CByteBuilder data;
  data.U32(static_cast<uint32_t>(arrMonster.size()));
  for (const auto& [strName, nAnger] : arrMonster)
    data.Line(strName).I32(1).I32(nAnger).I32(3).U32(0);
  data.U32(0);
  return data.Bytes();
}

std::vector<uint8_t> Append(std::vector<uint8_t> arrBytes, std::string_view tail) {
  arrBytes.insert(arrBytes.end(), tail.begin(), tail.end());
  return arrBytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> arrBytes, size_t nDrop) {
  arrBytes.resize(arrBytes.size() - nDrop);
  return arrBytes;
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DumpNearestSourceTest,
    ::testing::Values(
        NearestRow_t{"MotionWithoutValues", "Sword.dat", WeaponFile(100, 100, {}, "w"),
                     "[Action]\n1=a,0\n", "[Action] 1 a: a motion without motion values"},
        NearestRow_t{"TwoRatesNoLetterCanSet", "Sword.dat", WeaponFile(80, 60, {10}, "w"),
                     "1=a,B80,10\n", "cut rate 80 and impact rate 60 cannot both be set"},
        NearestRow_t{"WeaponNameWithBlank", "Sword.dat", WeaponFile(100, 100, {10}, "a b"),
                     "1=a b,100,0,0,3,0\n", "[Weapon] 1 a b: the name holds blanks"},
        NearestRow_t{"WeaponNameWithComma", "Sword.dat", WeaponFile(100, 100, {10}, "a,b"),
                     "1=a,b,100,0,0,3,0\n", "[Weapon] 1 a,b: the name holds a comma"},
        NearestRow_t{"EmptyWeaponName", "Sword.dat", WeaponFile(100, 100, {10}, ""),
                     "1=,100,0,0,3,0\n", "[Weapon] 1 : an empty name"},
        NearestRow_t{"ValueLongerThanTheReaderKeeps", "Sword.dat",
                     WeaponFile(100, 100, {10}, std::string(6000, 'x')), "[Weapon]\n1=xxx",
                     "longer than 5119 bytes"},
        NearestRow_t{"BytesAfterTheLastList", "Sword.dat",
                     Append(WeaponFile(100, 100, {10}, "w"), "zz"), "1=w,100,0,0,3,0\n",
                     "differs from what the converter writes"},
        NearestRow_t{
            "NameEndedByLineFeedAlone", "Sword.dat",
            CByteBuilder().U32(0).U32(0).U32(1).Raw("w\n").I32(1).I32(0).I32(0).I32(0).Bytes(),
            "1=w,1,0,0,0,0\n", "from byte 13 the file differs"},
        NearestRow_t{"FileEndsInsideAWeapon", "Sword.dat", Cut(WeaponFile(100, 100, {10}, "w"), 2),
                     "[Action]\n1=a,10\n", "the file ends early"},
        NearestRow_t{"CountBeyondTheFile", "Katana.dat",
                     CByteBuilder().U32(0xFFFFFFFFu).Raw("0123456789abcdef").Bytes(), "[Action]\n",
                     "promises more records than the file holds"},
        NearestRow_t{"NotShiftJisText", "Sword.dat", WeaponFile(100, 100, {10}, "\x85\x40"),
                     "1=", "do not come back through UTF-8"},
        // The list entry keeps the blank inside quotes, but a section header
        // cannot: the reader trims section names.
        NearestRow_t{"MonsterNameWithOuterBlank", "Monster.dat", MonsterFile({{" m", 90}}),
                     "0=\" m\"\n", "[ m]: the INI reader does not find a section of this name"},
        NearestRow_t{"EmptyMonsterName", "Monster.dat", MonsterFile({{"", 90}, {"m", 90}}),
                     "0=\n1=m\n", "ends the Monster list"},
        NearestRow_t{"MonsterNamedLikeAList", "Monster.dat", MonsterFile({{"level", 90}}),
                     "[level]\nAnger=1,90,3\n",
                     "cannot have the name of the Monster or Level list"},
        NearestRow_t{"MonstersOfOneNameWithOtherValues", "Monster.dat",
                     MonsterFile({{"m", 90}, {"m", 80}}), "0=m\n1=m\n",
                     "two monsters of this name hold different values"},
        NearestRow_t{"SectionsDifferingOnlyInLetterCase", "Monster.dat",
                     MonsterFile({{"Rath", 90}, {"RATH", 80}}), "[RATH]\nAnger=1,80,3\n",
                     "does not convert back to the same records: [Monster] 1 RATH comes back with "
                     "other values"},
        NearestRow_t{"RegionNameWithBlank", "Monster.dat",
                     CByteBuilder()
                         .U32(1)
                         .Line("m")
                         .I32(1)
                         .I32(2)
                         .I32(3)
                         .U32(1)
                         .Line("r 1")
                         .I32(1)
                         .I32(2)
                         .I32(3)
                         .I32(4)
                         .I32(5)
                         .I32(6)
                         .I32(7)
                         .I32(8)
                         .U32(0)
                         .Bytes(),
                     "0=r 1,1,2,3,4,5,6,7,8\n", "[m] 0 r 1: the name holds blanks"}),
    RowName<NearestRow_t>);

TEST(DumpCommandTest, SjisPrintsBytesThatUtf8CannotCarry) {
  // 85 40 is no code page 932 character: through UTF-8 it is lost, as raw
  // bytes it reaches the converter unchanged.
  CTestDataDir dir;
  dir.WriteBytes("Sword.dat", WeaponFile(100, 100, {10}, "\x85\x40"));

  const ToolResult_t dump = RunToolIn(dir.Path(), {"--sjis", "dump", "Sword.dat"});
  EXPECT_EQ(dump.nExit, 0) << dump.strErr;

  CTestDataDir second;
  second.WriteBytes("Sword.ini", std::string_view(dump.strOut));
  ASSERT_EQ(ConvertWithEmptySources(second.Path(), {"convert", "weapons"}).nExit, 0);
  EXPECT_EQ(second.ReadBytes("Sword.dat"), dir.ReadBytes("Sword.dat"));
}

}  // namespace
