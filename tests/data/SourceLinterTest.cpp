// The findings of the source checker on a corpus of broken sources, one row
// per kind of fault (Japanese names included), each compared line for line
// with the text a modder reads.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "data/SourceLinter.h"
#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

using namespace std::string_view_literals;

// RAW: the bytes as written; BOM: UTF-8 after a byte-order mark.
enum class eENCODING { SJIS, BOM, RAW };

struct LintRow_t {
  const char* szName;
  eSOURCE_KIND eKind;
  std::u8string_view source;
  std::u8string strExpected;  // formatted findings, one a line, UTF-8
  eENCODING eEncoding = eENCODING::SJIS;
};

std::string Bytes(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string Encode(const LintRow_t& row) {
  switch (row.eEncoding) {
    case eENCODING::SJIS: return velkar::ToSjis(row.source);
    case eENCODING::BOM: return "\xEF\xBB\xBF" + Bytes(row.source);
    case eENCODING::RAW: return Bytes(row.source);
  }
  return {};
}

class SourceLint : public testing::TestWithParam<LintRow_t> {};

TEST_P(SourceLint, ExplainsEachFault) {
  const LintRow_t& row = GetParam();
  const std::string_view file = row.eKind == eSOURCE_KIND::MONSTER ? "Monster.ini" : "Sword.ini";
  std::string strFound;
  for (const LintFinding_t& finding : CSourceLinter::Lint(Encode(row), row.eKind)) {
    strFound += velkar::SjisToUtf8(CSourceLinter::FormatFinding(file, finding)) + "\n";
  }
  EXPECT_EQ(strFound, Bytes(row.strExpected));
}

constexpr eSOURCE_KIND kWeapon = eSOURCE_KIND::WEAPON;
constexpr eSOURCE_KIND kMonster = eSOURCE_KIND::MONSTER;

const std::u8string kNoWeapon =
    u8"Sword.ini: the converter finds no weapon here: the data file it writes holds none, and "
    u8"the category disappears\n";
const std::u8string kNoMonster =
    u8"Monster.ini: the converter finds no monster here: the data file it writes holds none, "
    u8"and the monster list disappears\n";

std::u8string Wide(std::u8string_view encoding) {
  return u8"Sword.ini: the file is " + std::u8string(encoding) +
         u8": the converter reads Shift-JIS or UTF-8 with a byte-order mark, so what it finds "
         u8"here is not what the file says (save it as Shift-JIS, or as UTF-8 with BOM)\n";
}

const LintRow_t kWeaponRows[] = {
    {"Clean", kWeapon,
     u8"; 片手剣\r\n[Action]\r\n1=縦斬り, 18\r\n2=盾殴り, B40, 10\r\n[HitPattern]\r\n"
     u8"1=通常, 100, 100\r\n[Weapon]\r\n1=鉄の剣, 168, 0, 0, 2, 2147483647\r\n",
     u8""},
    {"EmptyEntryEndsTheList", kWeapon, u8"[Action]\n1=突き,20\n2=\n3=払い,10\n",
     kNoWeapon + u8"Sword.ini:3: [Action] 2 is empty: entry 3 is never read\n"},
    {"KeysTheConverterNeverReads", kWeapon,
     u8"[Weapon]\n0=零の剣,1,0,0,3,0\n1=一の剣,1,0,0,3,0\n02=二の剣,1,0,0,3,0\n"
     u8"名前=三の剣,1,0,0,3,0\n1000000000=十億の剣,1,0,0,3,0\n",
     u8"Sword.ini:2: [Weapon] 0: the entry is never read (this list starts at 1)\n"
     u8"Sword.ini:4: [Weapon] 02: the entry is never read (entry numbers are written without "
     u8"leading zeros)\n"
     u8"Sword.ini:5: [Weapon] 名前: the entry is never read (only numbered entries are read here)\n"
     u8"Sword.ini:6: [Weapon] 1000000000: the entry is never read (only numbered entries are read "
     u8"here)\n"},
    {"LinesTheReaderIgnores", kWeapon, u8"k=1\n[Weapon\n=x\n[Weapon]\n1=w,168,0,0,2,0\n",
     u8"Sword.ini:1: the entry comes before the first section; it is never read\n"
     u8"Sword.ini:2: the line starts a section name with '[' but has no ']'; it is ignored\n"
     u8"Sword.ini:3: the line has nothing before its '='; it is ignored\n"},
    {"SharpnessOutsideItsRange", kWeapon, u8"[Weapon]\n1=鉄の剣,168,0,0,6,0\n",
     u8"Sword.ini:2: [Weapon] 1: sharpness 6 is outside 0 to 5 (red to white)\n"},
    {"MarkBeforeOtherText", kWeapon, u8"\xEF\xBB\xBF\xE9\n[Weapon]\n1=w,168,0,0,2,0\n"sv,
     u8"Sword.ini:1: the file starts with a UTF-8 byte-order mark, but this line is not UTF-8 (a "
     u8"Shift-JIS file with a stray mark?); what it holds cannot be read\n"
     u8"Sword.ini:1: the line is neither a section, a comment nor key=value; it is ignored\n",
     eENCODING::RAW},
    {"NumbersAfterTheLastOne", kWeapon,
     u8"[HitPattern]\n1=弾かれ,50,60,7x\n[Weapon]\n1=鉄の剣,168,0,0,2,0,9,9\n",
     u8"Sword.ini:2: [HitPattern] 1: the text after the 2 numbers, \",7x\", is ignored\n"
     u8"Sword.ini:4: [Weapon] 1: the text after the 5 numbers, \",9,9\", is ignored\n"},
    {"MotionTokensReadAsOtherValues", kWeapon,
     u8"[Action]\n1=突き,a50,10\n2=叩き,A,10\n3=蹴り,-\n[Weapon]\n1=鉄の剣,168,0,0,2,0\n",
     u8"Sword.ini:2: [Action] 1: a50 is read as motion value 0 (a rate letter is A, B or C in "
     u8"upper case)\n"
     u8"Sword.ini:3: [Action] 2: rate is empty and read as 0\n"
     u8"Sword.ini:4: [Action] 3: motion value - is read as 0 (only decimal digits with an optional "
     u8"minus sign are read as written)\n"},
    {"RepeatsAndValuesTheListEndsAt", kWeapon,
     u8"[Action]\n1=突き,10,,20\n1=払い,5\n2=薙ぎ,4294967306\n[Action]\n3=x,1\n[Weapon]\n"
     u8"1=鉄の剣,168,0,0,2,0\n[Extra]\n",
     u8"Sword.ini:2: [Action] 1: an empty motion value ends the list; the rest, \",20\", is read "
     u8"as one motion value 0\n"
     u8"Sword.ini:3: [Action] 1: the key appears again (first at line 2); this entry is never "
     u8"read\n"
     u8"Sword.ini:4: [Action] 2: motion value 4294967306 does not fit in 32 bits and wraps around "
     u8"to 10\n"
     u8"Sword.ini:5: [Action]: the section appears again (first at line 1); the entries of this "
     u8"one are never read\n"
     u8"Sword.ini:9: [Extra]: the section is never read (a weapon source has [Action], "
     u8"[HitPattern] and [Weapon])\n"},
    {"FewerBytesThanAUtf16Pair", kWeapon, u8";\n", kNoWeapon},
    {"Utf32BigEndianMarkAlone", kWeapon, u8"\0\0\xFE\xFF"sv, Wide(u8"UTF-32BE"), eENCODING::RAW},
    {"AQuarterZeroBytesInEvenAndOddPlaces", kWeapon, u8"\0\0[Weapon]"sv,
     Wide(u8"UTF-16BE without a byte-order mark"), eENCODING::RAW},
    {"NeitherShiftJisNorUtf8", kWeapon, u8"[Weapon]\r\n1=Sword,168,0,0,2,0\r\n\xE9\n",
     u8"Sword.ini:3: this line is neither Shift-JIS nor UTF-8 (saved in another encoding?); its "
     u8"text turns into mojibake (save the file as Shift-JIS, or as UTF-8 with BOM)\n"
     u8"Sword.ini:3: the line is neither a section, a comment nor key=value; it is ignored\n",
     eENCODING::RAW},
};

INSTANTIATE_TEST_SUITE_P(Weapons, SourceLint, testing::ValuesIn(kWeaponRows), RowName<LintRow_t>);

const LintRow_t kMonsterRows[] = {
    {"AngerMissingOrBad", kMonster,
     u8"[Monster]\n0=岩甲獣\n1=氷牙竜\n[岩甲獣]\n0=頭,55,60,45,10,25,15,10,5\n"
     u8"[氷牙竜]\nAnger=100,90\n",
     kNoMonster +
         u8"Monster.ini:4: [岩甲獣] Anger: no Anger entry, the monster is left out\n"
         u8"Monster.ini:7: [氷牙竜] Anger: Anger needs three integers, the monster is left out\n"},
    {"RegionSkippedAndGap", kMonster,
     u8"[Monster]\n0=岩甲獣\n[岩甲獣]\nAnger=100,90,110\n0=頭,1,2,3,4,5,6,7\n"
     u8"1=腹,1,2,3,4,5,6,7,8\n19=尻尾,1,2,3,4,5,6,7,8\nRage=1\n",
     u8"Monster.ini:5: [岩甲獣] 0: needs eight integers after the name; the entry is skipped\n"
     u8"Monster.ini:7: [岩甲獣] 2 is missing: entry 19 is never read\n"
     u8"Monster.ini:8: [岩甲獣] Rage: the entry is never read (a monster's section holds Anger and "
     u8"the numbered regions)\n"},
    {"Utf8Unencodable", kMonster,
     u8"[Monster]\n0=Dragón\n1=岩甲獣\n[Dragón]\nAnger=1,2,3\n[岩甲獣]\n"
     u8"Anger=1,2,3€\n",
     kNoMonster + u8"Monster.ini:2: [Monster] 0: holds a character that Shift-JIS cannot encode; "
                  u8"the entry is skipped\n"
                  u8"Monster.ini:4: [Drag?n]: the section name holds a character that Shift-JIS "
                  u8"cannot encode; the section is never read\n"
                  u8"Monster.ini:7: [岩甲獣] Anger: Anger holds a character that Shift-JIS cannot "
                  u8"encode, the monster is left out\n",
     eENCODING::BOM},
};

INSTANTIATE_TEST_SUITE_P(Monsters, SourceLint, testing::ValuesIn(kMonsterRows), RowName<LintRow_t>);

}  // namespace
