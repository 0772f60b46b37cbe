// The findings of the source checker on a corpus of broken sources, one row
// per kind of fault (Japanese names included), each compared line for line
// with the text a modder reads; the sample data must give none.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataManager.h"
#include "data/SourceLinter.h"
#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kMark = "\xEF\xBB\xBF";

// UTF8_RAW: the bytes as written; SJIS_BOM: Shift-JIS after a UTF-8 mark;
// the UTF-16 forms take ASCII text only.
enum class eENCODING { SJIS, UTF8_BOM, UTF8_RAW, SJIS_BOM, UTF16LE_BOM, UTF16BE };

struct LintRow_t {
  const char* szName;
  eSOURCE_KIND eKind;
  std::u8string_view source;                    // saved in the row's encoding
  std::vector<std::u8string_view> arrExpected;  // formatted findings, UTF-8
  eENCODING eEncoding = eENCODING::SJIS;
};

std::string Bytes(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string Utf16(std::u8string_view ascii, bool bLittleEndian) {
  std::string strBytes;
  for (const char8_t c : ascii) {
    strBytes += bLittleEndian ? std::string{static_cast<char>(c), '\0'}
                              : std::string{'\0', static_cast<char>(c)};
  }
  return strBytes;
}

std::string Encode(const LintRow_t& row) {
  switch (row.eEncoding) {
    case eENCODING::SJIS: return velkar::ToSjis(row.source);
    case eENCODING::UTF8_BOM: return std::string(kMark) + Bytes(row.source);
    case eENCODING::UTF8_RAW: return Bytes(row.source);
    case eENCODING::SJIS_BOM: return std::string(kMark) + velkar::ToSjis(row.source);
    case eENCODING::UTF16LE_BOM: return "\xFF\xFE" + Utf16(row.source, true);
    case eENCODING::UTF16BE: return Utf16(row.source, false);
  }
  return {};
}

// The findings as a modder reads them, in UTF-8.
Lines LintLines(std::string_view bytes, eSOURCE_KIND eKind, std::string_view file) {
  Lines arrLine;
  for (const LintFinding_t& finding : CSourceLinter::Lint(bytes, eKind)) {
    arrLine.push_back(velkar::SjisToUtf8(CSourceLinter::FormatFinding(file, finding)));
  }
  return arrLine;
}

class SourceLint : public testing::TestWithParam<LintRow_t> {};

TEST_P(SourceLint, ExplainsEachFault) {
  const LintRow_t& row = GetParam();
  const std::string_view file = row.eKind == eSOURCE_KIND::MONSTER ? "Monster.ini" : "Sword.ini";
  Lines arrExpected;
  for (const std::u8string_view expected : row.arrExpected) arrExpected.push_back(Bytes(expected));
  EXPECT_EQ(LintLines(Encode(row), row.eKind, file), arrExpected);
}

constexpr eSOURCE_KIND kWeapon = eSOURCE_KIND::WEAPON;
constexpr eSOURCE_KIND kMonster = eSOURCE_KIND::MONSTER;

// The converter keeps no weapon (no monster): the category (the monster
// list) disappears.
constexpr std::u8string_view kNoWeapon =
    u8"Sword.ini: the converter finds no weapon here: the data file it writes holds none, and "
    u8"the category disappears";
constexpr std::u8string_view kNoMonster =
    u8"Monster.ini: the converter finds no monster here: the data file it writes holds none, "
    u8"and the monster list disappears";

const std::u8string kLongName(5200, u8'a');
const std::u8string kLongValue = u8"[Weapon]\n1=" + kLongName + u8",100,0,0,3,0\n";

INSTANTIATE_TEST_SUITE_P(
    Weapons, SourceLint,
    testing::Values(
        LintRow_t{"Clean",
                  kWeapon,
                  u8"; 片手剣\r\n[Action]\r\n1=縦斬り, 18\r\n2=盾殴り, B40, 10\r\n[HitPattern]\r\n"
                  u8"1=通常, 100, 100\r\n[Weapon]\r\n1=鉄の剣, 168, 0, 0, 2, 0\r\n",
                  {}},
        LintRow_t{"SkippedEntries",
                  kWeapon,
                  u8"[Action]\n1=盾殴り\n2=,10\n[HitPattern]\n1=弾かれ,50\n[Weapon]\n"
                  u8"1=欠けた剣,100,0,0,3\n2=鉄の剣,168,0,0,2,0\n",
                  {u8"Sword.ini:2: [Action] 1: no comma after the name; the entry is skipped",
                   u8"Sword.ini:3: [Action] 2: empty name; the entry is skipped",
                   u8"Sword.ini:5: [HitPattern] 1: needs two integers after the name; the entry "
                   u8"is skipped",
                   u8"Sword.ini:7: [Weapon] 1: needs five integers after the name; the entry is "
                   u8"skipped"}},
        LintRow_t{"GapEndsTheList",
                  kWeapon,
                  u8"[Weapon]\n1=剣一,100,0,0,3,0\n2=剣二,100,0,0,3,0\n3=剣三,100,0,0,3,0\n"
                  u8"5=剣五,100,0,0,3,0\n6=剣六,100,0,0,3,0\n9=剣九,100,0,0,3,0\n",
                  {u8"Sword.ini:5: [Weapon] 4 is missing: entries 5 to 9 are never read"}},
        LintRow_t{"EmptyEntryEndsTheList",
                  kWeapon,
                  u8"[Action]\n1=突き,20\n2=\n3=払い,10\n",
                  {kNoWeapon, u8"Sword.ini:3: [Action] 2 is empty: entry 3 is never read"}},
        LintRow_t{
            "EmptyLastEntryIsHarmless", kWeapon, u8"[Action]\n1=突き,20\n2=\"\"\n", {kNoWeapon}},
        LintRow_t{"ValueCut",
                  kWeapon,
                  kLongValue,
                  {kNoWeapon,
                   u8"Sword.ini:2: [Weapon] 1: the value is longer than 5119 bytes and is cut "
                   u8"there",
                   u8"Sword.ini:2: [Weapon] 1: no comma after the name; the entry is skipped"}},
        LintRow_t{"RateKeptPartly",
                  kWeapon,
                  u8"[Action]\n1=叩きつけ,A300,10\n2=弾き,C-1,5\n",
                  {kNoWeapon,
                   u8"Sword.ini:2: [Action] 1: rate 300 is kept as 44 (only 0 to 255 can be "
                   u8"stored)",
                   u8"Sword.ini:3: [Action] 2: rate -1 is kept as 255 (only 0 to 255 can be "
                   u8"stored)"}},
        LintRow_t{"MotionValueKeptPartly",
                  kWeapon,
                  u8"[Action]\n1=大回転,10,70000\n",
                  {kNoWeapon,
                   u8"Sword.ini:2: [Action] 1: motion value 70000 is kept as 4464 (only 0 to "
                   u8"65535 can be stored)"}},
        LintRow_t{"HitPatternRatesKeptPartly",
                  kWeapon,
                  u8"[HitPattern]\n1=弾かれ,-1,256\n",
                  {kNoWeapon,
                   u8"Sword.ini:2: [HitPattern] 1: low rate -1 is kept as 255 (only 0 to 255 "
                   u8"can be stored)",
                   u8"Sword.ini:2: [HitPattern] 1: high rate 256 is kept as 0 (only 0 to 255 "
                   u8"can be stored)"}},
        LintRow_t{"WeaponNumbersKeptPartlyOrOutOfRange",
                  kWeapon,
                  u8"[Weapon]\n1=超大剣,70000,2,65536,3,0\n2=赤錆の剣,100,0,0,6,0\n"
                  u8"3=黒錆の剣,100,0,0,-1,0\n4=白の剣,65535,0,0,5,0\n",
                  {u8"Sword.ini:2: [Weapon] 1: attack 70000 is kept as 4464 (only 0 to 65535 "
                   u8"can be stored)",
                   u8"Sword.ini:2: [Weapon] 1: element value 65536 is kept as 0 (only 0 to "
                   u8"65535 can be stored)",
                   u8"Sword.ini:3: [Weapon] 2: sharpness 6 is outside 0 to 5 (red to white)",
                   u8"Sword.ini:4: [Weapon] 3: sharpness -1 is outside 0 to 5 (red to white)"}},
        LintRow_t{"DuplicateNames",
                  kWeapon,
                  u8"[Action]\n1=縦斬り,18\n2=縦斬り,20\n[Weapon]\n1=鉄の剣,168,0,0,2,0\n"
                  u8"2=鉄 の剣,170,0,0,2,0\n",
                  {u8"Sword.ini:3: [Action] 2: the motion name 縦斬り is used before by "
                   u8"[Action] 1 (line 2); the two cannot be told apart",
                   u8"Sword.ini:6: [Weapon] 2: the weapon name 鉄の剣 is used before by "
                   u8"[Weapon] 1 (line 5); the two cannot be told apart"}},
        LintRow_t{
            "OddLines",
            kWeapon,
            u8"stray=1\n[Weapon\n[Weapon]\n鉄の剣 168 0 0 2 0\n=鉄の剣\n",
            {kNoWeapon, u8"Sword.ini:1: the entry comes before the first section; it is never read",
             u8"Sword.ini:2: the line starts a section name with '[' but has no ']'; it "
             u8"is ignored",
             u8"Sword.ini:4: the line is neither a section, a comment nor key=value; it "
             u8"is ignored",
             u8"Sword.ini:5: the line has nothing before its '='; it is ignored"}},
        LintRow_t{"RepeatedSectionAndKey",
                  kWeapon,
                  u8"[Weapon]\n1=鉄の剣,168,0,0,2,0\n1=銅の剣,120,0,0,2,0\n[weapon]\n"
                  u8"2=銀の剣,180,0,0,3,0\n",
                  {u8"Sword.ini:3: [Weapon] 1: the key appears again (first at line 2); this "
                   u8"entry is never read",
                   u8"Sword.ini:4: [weapon]: the section appears again (first at line 1); the "
                   u8"entries of this one are never read"}},
        LintRow_t{"KeysTheConverterNeverReads",
                  kWeapon,
                  u8"[Weapon]\n0=零の剣,1,0,0,3,0\n1=一の剣,1,0,0,3,0\n02=二の剣,1,0,0,3,0\n"
                  u8"名前=三の剣,1,0,0,3,0\n",
                  {u8"Sword.ini:2: [Weapon] 0: the entry is never read (this list starts at 1)",
                   u8"Sword.ini:4: [Weapon] 02: the entry is never read (entry numbers are "
                   u8"written without leading zeros)",
                   u8"Sword.ini:5: [Weapon] 名前: the entry is never read (only numbered entries "
                   u8"are read here)"}},
        LintRow_t{"UnknownSection",
                  kWeapon,
                  u8"[Weapons]\n1=鉄の剣,168,0,0,2,0\n",
                  {kNoWeapon,
                   u8"Sword.ini:1: [Weapons]: the section is never read (a weapon source has "
                   u8"[Action], [HitPattern] and [Weapon])"}},
        LintRow_t{"Utf8WithoutMark",
                  kWeapon,
                  u8"; 片手剣\n[Weapon]\n1=鉄の剣,168,0,0,2,0\n",
                  {u8"Sword.ini:1: the file is UTF-8 without a byte-order mark: it is "
                   u8"read as Shift-JIS, so its Japanese turns into mojibake (save it as UTF-8 "
                   u8"with BOM, or as Shift-JIS)"},
                  eENCODING::UTF8_RAW},
        LintRow_t{"NumbersReadAsOtherValues",
                  kWeapon,
                  u8"[Weapon]\n1=一の剣,+5,0,0,3,1e9\n2=二の剣,4294967396,0,0,3,0x10\n"
                  u8"3=三の剣,100,0,0,3,12abc\n[HitPattern]\n1=弾かれ,2147483648,100\n",
                  {u8"Sword.ini:2: [Weapon] 1: attack +5 is read as 5 (only decimal digits with an "
                   u8"optional minus sign are read as written)",
                   u8"Sword.ini:2: [Weapon] 1: fifth number 1e9 is read as 1 (only decimal digits "
                   u8"with an optional minus sign are read as written)",
                   u8"Sword.ini:3: [Weapon] 2: attack 4294967396 does not fit in 32 bits and wraps "
                   u8"around to 100",
                   u8"Sword.ini:3: [Weapon] 2: fifth number 0x10 is read as 0 (only decimal digits "
                   u8"with an optional minus sign are read as written)",
                   u8"Sword.ini:4: [Weapon] 3: fifth number 12abc is read as 12 (only decimal "
                   u8"digits with an optional minus sign are read as written)",
                   u8"Sword.ini:6: [HitPattern] 1: low rate 2147483648 does not fit in 32 bits and "
                   u8"wraps around to -2147483648",
                   u8"Sword.ini:6: [HitPattern] 1: low rate -2147483648 is kept as 0 (only 0 to "
                   u8"255 can be stored)"}},
        LintRow_t{"TextAfterTheNumbers",
                  kWeapon,
                  u8"[HitPattern]\n1=弾かれ,50,60,70\n[Weapon]\n1=鉄の剣,168,0,0,2,0,9,9\n",
                  {u8"Sword.ini:2: [HitPattern] 1: the text after the 2 numbers, \",70\", is "
                   u8"ignored",
                   u8"Sword.ini:4: [Weapon] 1: the text after the 5 numbers, \",9,9\", is "
                   u8"ignored"}},
        LintRow_t{"MotionTokensReadAsOtherValues",
                  kWeapon,
                  u8"[Action]\n1=突き,a50,10\n2=払い,10,,20\n3=溜め,A50\n4=斬り,10,B40\n"
                  u8"5=叩き,A,10\n6=薙ぎ,10,\n7=盾,C-0,7\n[Weapon]\n1=鉄の剣,168,0,0,2,0\n",
                  {u8"Sword.ini:2: [Action] 1: a50 is read as motion value 0 (a rate letter is A, "
                   u8"B or C in upper case)",
                   u8"Sword.ini:3: [Action] 2: an empty motion value ends the list; the rest, "
                   u8"\",20\", is read as one motion value 0",
                   u8"Sword.ini:4: [Action] 3: motion value A50 is read as 0 (only decimal digits "
                   u8"with an optional minus sign are read as written)",
                   u8"Sword.ini:5: [Action] 4: motion value B40 is read as 0 (only decimal digits "
                   u8"with an optional minus sign are read as written)",
                   u8"Sword.ini:6: [Action] 5: rate is empty and read as 0",
                   u8"Sword.ini:7: [Action] 6: motion value is empty and read as 0"}},
        LintRow_t{"EmptyFile", kWeapon, u8"", {kNoWeapon}},
        LintRow_t{"OnlyComments", kWeapon, u8"; 片手剣\r\n; 準備中\r\n", {kNoWeapon}},
        LintRow_t{"Utf16LittleEndianWithMark",
                  kWeapon,
                  u8"[Weapon]\r\n1=Sword,168,0,0,2,0\r\n",
                  {u8"Sword.ini: the file is UTF-16LE: the converter reads Shift-JIS or UTF-8 "
                   u8"with a byte-order mark, so what it finds here is not what the file says "
                   u8"(save it as Shift-JIS, or as UTF-8 with BOM)"},
                  eENCODING::UTF16LE_BOM},
        LintRow_t{"Utf16BigEndianWithoutMark",
                  kWeapon,
                  u8"[Weapon]\n1=Sword,168,0,0,2,0\n",
                  {u8"Sword.ini: the file is UTF-16BE without a byte-order mark: the converter "
                   u8"reads Shift-JIS or UTF-8 with a byte-order mark, so what it finds here is "
                   u8"not what the file says (save it as Shift-JIS, or as UTF-8 with BOM)"},
                  eENCODING::UTF16BE},
        LintRow_t{"NeitherShiftJisNorUtf8",
                  kWeapon,
                  u8"[Weapon]\n1=Sword,168,0,0,2,0\n2=caf\xE9,100,0,0,3,0\n",
                  {u8"Sword.ini:3: this line is neither Shift-JIS nor UTF-8 (saved in another "
                   u8"encoding?); its text turns into mojibake (save the file as Shift-JIS, or as "
                   u8"UTF-8 with BOM)"},
                  eENCODING::UTF8_RAW},
        LintRow_t{"Utf8WithMarkIsClean",
                  kWeapon,
                  u8"[Weapon]\r\n1=鉄の剣,168,0,0,2,0\r\n2=ソード〜,100,0,0,3,0\r\n",
                  {},
                  eENCODING::UTF8_BOM},
        LintRow_t{"Utf8Unencodable",
                  kWeapon,
                  u8"[Weapon]\n1=剣😀,168,0,0,2,0\n2=鉄の剣,168,0,0,2,0\n[Épée]\n1=x\n",
                  {u8"Sword.ini:2: [Weapon] 1: holds a character that Shift-JIS cannot encode; "
                   u8"the entry is skipped",
                   u8"Sword.ini:4: [?p?e]: the section name holds a character that Shift-JIS "
                   u8"cannot encode; the section is never read"},
                  eENCODING::UTF8_BOM}),
    RowName<LintRow_t>);

INSTANTIATE_TEST_SUITE_P(
    Monsters, SourceLint,
    testing::Values(
        LintRow_t{"Clean",
                  kMonster,
                  u8"[Monster]\n0=岩甲獣グラドム\n[岩甲獣グラドム]\nAnger=100,90,110\n"
                  u8"0=頭,55,60,45,10,25,15,10,5\n[Level]\n1=下位,100\n",
                  {}},
        LintRow_t{"SectionMissing",
                  kMonster,
                  u8"[Monster]\n0=岩甲獣\n1=氷牙竜\n[岩甲獣]\nAnger=100,90,110\n"
                  u8"0=頭,55,60,45,10,25,15,10,5\n",
                  {u8"Monster.ini:3: [Monster] 1: the section [氷牙竜] is missing, so the "
                   u8"monster is left out"}},
        LintRow_t{
            "AngerMissingOrBad",
            kMonster,
            u8"[Monster]\n0=岩甲獣\n1=氷牙竜\n[岩甲獣]\n0=頭,55,60,45,10,25,15,10,5\n"
            u8"[氷牙竜]\nAnger=100,90\n",
            {kNoMonster, u8"Monster.ini:4: [岩甲獣] Anger: no Anger entry, the monster is left out",
             u8"Monster.ini:7: [氷牙竜] Anger: Anger needs three integers, the monster is "
             u8"left out"}},
        LintRow_t{"NumbersKeptPartly",
                  kMonster,
                  u8"[Monster]\n0=岩甲獣\n[岩甲獣]\nAnger=100,300,110\n"
                  u8"0=頭,55,60,45,300,25,15,10,-5\n[Level]\n1=Ｇ級,300\n",
                  {u8"Monster.ini:4: [岩甲獣] Anger: second anger value 300 is kept as 44 (only "
                   u8"0 to 255 can be stored)",
                   u8"Monster.ini:5: [岩甲獣] 0: fire hitzone 300 is kept as 44 (only 0 to 255 "
                   u8"can be stored)",
                   u8"Monster.ini:5: [岩甲獣] 0: dragon hitzone -5 is kept as 251 (only 0 to 255 "
                   u8"can be stored)",
                   u8"Monster.ini:7: [Level] 1: rate 300 is kept as 44 (only 0 to 255 can be "
                   u8"stored)"}},
        LintRow_t{"RegionSkippedAndGap",
                  kMonster,
                  u8"[Monster]\n0=岩甲獣\n[岩甲獣]\nAnger=100,90,110\n0=頭,1,2,3,4,5,6,7\n"
                  u8"1=腹,1,2,3,4,5,6,7,8\n3=尻尾,1,2,3,4,5,6,7,8\nRage=1\n",
                  {u8"Monster.ini:5: [岩甲獣] 0: needs eight integers after the name; the entry "
                   u8"is skipped",
                   u8"Monster.ini:7: [岩甲獣] 2 is missing: entry 3 is never read",
                   u8"Monster.ini:8: [岩甲獣] Rage: the entry is never read (a monster's section "
                   u8"holds Anger and the numbered regions)"}},
        LintRow_t{"ListStartsAtOne",
                  kMonster,
                  u8"[Monster]\n1=岩甲獣\n[岩甲獣]\nAnger=100,90,110\n[Level]\n0=下位,100\n"
                  u8"1=上位,120\n",
                  {kNoMonster, u8"Monster.ini:2: [Monster] 0 is missing: entry 1 is never read",
                   u8"Monster.ini:3: [岩甲獣]: the section is never read (no entry of [Monster] "
                   u8"names it)",
                   u8"Monster.ini:6: [Level] 0: the entry is never read (this list starts at "
                   u8"1)"}},
        LintRow_t{"MonsterListedTwice",
                  kMonster,
                  u8"[Monster]\n0=岩甲獣\n1=岩甲獣\n[岩甲獣]\nAnger=100,90,110\n"
                  u8"0=頭,55,60,45,300,25,15,10,5\n",
                  {u8"Monster.ini:3: [Monster] 1: the monster name 岩甲獣 is used before by "
                   u8"[Monster] 0 (line 2); the two cannot be told apart",
                   u8"Monster.ini:6: [岩甲獣] 0: fire hitzone 300 is kept as 44 (only 0 to 255 "
                   u8"can be stored)"}},
        LintRow_t{"BlanksInNameFindTheSection",
                  kMonster,
                  u8"[Monster]\n0= 大猿獣 ゴルバッカ \n[大猿獣 ゴルバッカ]\nAnger=1,2,3\n",
                  {}},
        LintRow_t{"NumbersReadAsOtherValues",
                  kMonster,
                  u8"[Monster]\n0=岩甲獣\n[岩甲獣]\nAnger=100,90,110,5\n"
                  u8"0=頭,55,60,45,10,25,15,10,5x\n[Level]\n1=下位,100,20\n2=上位,+120\n3=Ｇ級,\n",
                  {u8"Monster.ini:4: [岩甲獣] Anger: the text after the 3 numbers, \",5\", is "
                   u8"ignored",
                   u8"Monster.ini:5: [岩甲獣] 0: dragon hitzone 5x is read as 5 (only decimal "
                   u8"digits with an optional minus sign are read as written)",
                   u8"Monster.ini:7: [Level] 1: the text after the 1 number, \",20\", is ignored",
                   u8"Monster.ini:8: [Level] 2: rate +120 is read as 120 (only decimal digits with "
                   u8"an optional minus sign are read as written)",
                   u8"Monster.ini:9: [Level] 3: rate is empty and read as 0"}},
        LintRow_t{"MonsterNamedAfterAList",
                  kMonster,
                  u8"[Monster]\n0=level\n[Level]\nAnger=1,2,3\n1=下位,100\n",
                  {u8"Monster.ini:2: [Monster] 0: the monster's section [level] is the Level list "
                   u8"as well; its entries are read as both (name the monster otherwise)",
                   u8"Monster.ini:5: [level] 0 is missing: entry 1 is never read"}},
        LintRow_t{"OnlyTheMark", kMonster, u8"", {kNoMonster}, eENCODING::UTF8_BOM},
        LintRow_t{"ShiftJisAfterTheMark",
                  kMonster,
                  u8"[Monster]\n0=岩甲獣\n",
                  {kNoMonster,
                   u8"Monster.ini:2: the file starts with a UTF-8 byte-order mark, but this line "
                   u8"is not UTF-8 (a Shift-JIS file with a stray mark?); what it holds cannot be "
                   u8"read",
                   u8"Monster.ini:2: [Monster] 0: holds a character that Shift-JIS cannot encode; "
                   u8"the entry is skipped"},
                  eENCODING::SJIS_BOM},
        LintRow_t{"Utf8Unencodable",
                  kMonster,
                  u8"[Monster]\n0=Dragón\n1=岩甲獣\n[Dragón]\nAnger=1,2,3\n[岩甲獣]\n"
                  u8"Anger=1,2,3€\n",
                  {kNoMonster,
                   u8"Monster.ini:2: [Monster] 0: holds a character that Shift-JIS cannot "
                   u8"encode; the entry is skipped",
                   u8"Monster.ini:4: [Drag?n]: the section name holds a character that "
                   u8"Shift-JIS cannot encode; the section is never read",
                   u8"Monster.ini:7: [岩甲獣] Anger: Anger holds a character that Shift-JIS "
                   u8"cannot encode, the monster is left out"},
                  eENCODING::UTF8_BOM}),
    RowName<LintRow_t>);

// ---- which kind a file is ----------------------------------------------------------

TEST(SourceLintKind, FileNamesOfTheConverters) {
  EXPECT_EQ(CSourceLinter::KindOfFileName("Monster.ini"), eSOURCE_KIND::MONSTER);
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    EXPECT_EQ(CSourceLinter::KindOfFileName(CDataManager::GetCategoryName(nCategory) + ".ini"),
              eSOURCE_KIND::WEAPON);
  }
  // The converters open these names exactly; nothing else is theirs.
  for (const char* szOther :
       {"monster.ini", "Sword.dat", "Sword.ini.bak", "MySword.ini", ".ini", "Error.ini", ""}) {
    EXPECT_EQ(CSourceLinter::KindOfFileName(szOther), std::nullopt) << szOther;
  }
}

TEST(SourceLintKind, ContentDecidesForOtherNames) {
  EXPECT_EQ(CSourceLinter::KindOfContent("[Monster]\n0=m\n"), eSOURCE_KIND::MONSTER);
  EXPECT_EQ(CSourceLinter::KindOfContent("[level]\n1=L,100\n"), eSOURCE_KIND::MONSTER);
  EXPECT_EQ(CSourceLinter::KindOfContent("[Weapon]\n1=b,1,0,0,3,0\n"), eSOURCE_KIND::WEAPON);
  EXPECT_EQ(CSourceLinter::KindOfContent("[Monster]\n[Action]\n"), eSOURCE_KIND::WEAPON);
  EXPECT_EQ(CSourceLinter::KindOfContent(""), eSOURCE_KIND::WEAPON);
}

// ---- what the converter skips, the checker reports -----------------------------------

TEST(SourceLintAgreement, ReportsEverySkippedEntryOfTheConverter) {
  const std::u8string_view source =
      u8"[Action]\n1=a\n2=b,1\n3=,2\n[HitPattern]\n1=h,1\n2=i,1,2\n[Weapon]\n1=w,1,2,3\n"
      u8"2=x,1,2,3,4,5\n3=y\n";
  const std::vector<LintFinding_t> arrFinding =
      CSourceLinter::Lint(velkar::ToSjis(source), eSOURCE_KIND::WEAPON);
  Lines arrKey;
  for (const LintFinding_t& finding : arrFinding) {
    if (finding.strText.ends_with("the entry is skipped")) {
      arrKey.push_back(finding.strSection + " " + finding.strKey);
    }
  }
  EXPECT_EQ(arrKey, (Lines{"Action 1", "Action 3", "HitPattern 1", "Weapon 1", "Weapon 3"}));
}

// ---- the bundled sample data ---------------------------------------------------------

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SourceLintSampleData, EverySourceIsCleanInShiftJisAndAsUtf8WithMark) {
  for (int nCategory = -1; nCategory < CATEGORY_COUNT; ++nCategory) {
    const std::string strFile =
        (nCategory < 0 ? std::string("Monster") : CDataManager::GetCategoryName(nCategory)) +
        ".ini";
    const eSOURCE_KIND eKind = *CSourceLinter::KindOfFileName(strFile);
    const std::string strUtf8 =
        ReadText(std::filesystem::path(VELKAR_GAMEDATA_SOURCE_DIR) / strFile);
    const std::optional<std::string> sjis = velkar::Utf8ToSjis(strUtf8);
    ASSERT_TRUE(sjis.has_value()) << strFile;
    EXPECT_EQ(LintLines(*sjis, eKind, strFile), Lines{});
    EXPECT_EQ(LintLines(std::string(kMark) + strUtf8, eKind, strFile), Lines{});
  }
}

}  // namespace
