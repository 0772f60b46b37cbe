// Build codes: the format pinned by a code worked out byte by byte and written
// out in full, CRC included (its base64url from an independent
// implementation); random builds that come back unchanged; a code of the
// longest length; every cut and every changed character of a typical code
// refused, and made-up and damaged codes refused with their whole message.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/ModifierTable.h"
#include "platform/Cp932.h"
#include "platform/Crc32.h"
#include "setup/BuildCode.h"
#include "support/RecordPrinters.h"
#include "support/RowName.h"

namespace {

using velkar::ToSjis;

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string Encode(const BuildCode_t& code) {
  CodeError_t error;
  const std::optional<std::string> strCode = EncodeBuildCode(code, error);
  EXPECT_TRUE(strCode) << DescribeCodeError(error);
  return strCode.value_or("");
}

void PutVarint(std::vector<uint8_t>& arrByte, size_t nValue) {
  for (; nValue >= 0x80; nValue >>= 7) arrByte.push_back(static_cast<uint8_t>(nValue | 0x80));
  arrByte.push_back(static_cast<uint8_t>(nValue));
}

// A code around a body: CRC, length (off by nLengthOff), base64url without
// padding. The CRC is the program's own: the codes written out in full below
// pin it, and a made-up code needs a CRC that matches to be read at all.
std::string Wrap(const std::vector<uint8_t>& arrBody, int nLengthOff = 0) {
  std::vector<uint8_t> arrByte(4);
  PutVarint(arrByte, arrBody.size() + static_cast<size_t>(nLengthOff));
  arrByte.insert(arrByte.end(), arrBody.begin(), arrBody.end());
  const uint32_t nCrc = velkar::Crc32(std::span(arrByte).subspan(4));
  for (int i = 0; i < 4; ++i)
    arrByte[static_cast<size_t>(i)] = static_cast<uint8_t>(nCrc >> (8 * i));
  std::string strText = "VK1.";
  for (size_t nBit = 0; nBit < arrByte.size() * 8; nBit += 6) {
    unsigned nValue = 0;
    for (size_t j = nBit; j < nBit + 6; ++j) {
      const bool bSet =
          j / 8 < arrByte.size() && ((unsigned{arrByte[j / 8]} >> (7 - j % 8)) & 1U) != 0;
      nValue = (nValue << 1) | (bSet ? 1U : 0U);
    }
    strText += kAlphabet[nValue];
  }
  return strText;
}

// A player's typical build: a weapon, six motions, a monster, a level, a hit
// correction and four modifiers, all named in Japanese.
BuildCode_t TypicalCode() {
  Setup_t setup;
  setup.nCategory = 0;
  setup.strWeapon = ToSjis(u8"焔刃ヴァルゼナ");
  for (const char8_t* psz :
       {u8"縦斬り", u8"横斬り", u8"縦斬り", u8"連続斬り", u8"回転斬り", u8"縦斬り"}) {
    setup.arrMotion.push_back(ToSjis(psz));
  }
  setup.nSharpness = 5;
  setup.strMonster = ToSjis(u8"雷角獣シグラーム");
  setup.strLevel = ToSjis(u8"上位");
  setup.strHitCorrection = ToSjis(u8"芯当たり");
  setup.bAnger = true;
  setup.arrModifier = {1019, 1021, 1036, 1040};
  return {0x9A3F01C2, {{ToSjis(u8"炎剣 上位"), setup}}};
}

// Bytes 0x20..0xFF but 0x7F, so Japanese lead and trail bytes and text that
// is no valid Shift-JIS alike (names of records); empty names too.
std::string RandomName(std::mt19937& random) {
  std::string strName(random() % 12, ' ');
  for (char& c : strName) {
    c = static_cast<char>(0x20 + random() % 0xE0);
    if (c == '\x7F') c = '~';
  }
  return strName;
}

BuildCode_t RandomCode(std::mt19937& random) {
  const std::vector<std::string> arrPool{RandomName(random), RandomName(random),
                                         RandomName(random)};
  const auto name = [&] { return random() % 2 ? arrPool[random() % 3] : RandomName(random); };
  const auto maybe = [&]<class T>(T value) {
    return random() % 3 ? std::optional<T>(value) : std::nullopt;
  };
  BuildCode_t code{static_cast<uint32_t>(random()), {}};
  for (size_t nBuild = 1 + random() % 3; nBuild > 0; --nBuild) {
    Setup_t setup;
    setup.nCategory = maybe(static_cast<int>(random() % CATEGORY_COUNT));
    setup.strWeapon = maybe(name());
    for (size_t n = random() % 9; n > 0; --n) setup.arrMotion.push_back(name());
    setup.nSharpness = maybe(static_cast<int>(random() % 6));
    setup.strMonster = maybe(name());
    setup.strLevel = maybe(name());
    setup.strHitCorrection = maybe(name());
    setup.bAnger = random() % 2 == 0;
    // Ascending, one member of each group at most.
    std::set<int> setGroup;
    for (const ModifierInfo_t& info : kModifierTable) {
      if (random() % 4 == 0 && (info.nGroup == 0 || setGroup.insert(info.nGroup).second)) {
        setup.arrModifier.push_back(info.nControlId);
      }
    }
    // A build's name is text (0x879A: a character code page 932 writes otherwise).
    code.arrBuild.push_back({random() % 3 ? std::string(random() % 3, 'a') : "\x87\x9A", setup});
  }
  return code;
}

// A build named A: a weapon W of category 0 at sharpness 5, angry, 1040 ticked.
BuildCode_t SmallCode(std::vector<int> arrModifier = {1040}) {
  Setup_t setup;
  setup.nCategory = 0;
  setup.nSharpness = 5;
  setup.strWeapon = "W";
  setup.bAnger = true;
  setup.arrModifier = std::move(arrModifier);
  return {0x01020304, {{"A", setup}}};
}

const std::string kSmallCode = "VK1.uB0KBxIEAwIBAgFBAVcBAEdQAQAAAEA";
const std::string kNotACode = "this is not a Velkar build code (a code starts with VK1.)";

TEST(BuildCode, ASmallBuildByteByByte) {
  // fingerprint, names A and W, one build: name 0, present 0x47, category 0
  // and sharpness 5, weapon 1, no motion, bit 22 (1040) of the modifiers.
  EXPECT_EQ(Wrap({4, 3, 2, 1, 2, 1, 'A', 1, 'W', 1, 0, 0x47, 0x50, 1, 0, 0, 0, 0x40}), kSmallCode);
  EXPECT_EQ(Encode(SmallCode()), kSmallCode);
  // Ticks are kept as restoring the list leaves them: the last of a group.
  EXPECT_EQ(Encode(SmallCode({1041, 1040, 1040})), kSmallCode);
  // Every face opens the code in what another face copies (a page's link, a
  // line of chat around one); a code glued to a word is none.
  CodeError_t error;
  for (const std::string& strText :
       {" " + kSmallCode + "\r\n", "http://127.0.0.1:8080/index.html#" + kSmallCode,
        "https://example.org/" + std::string(9000, 'v') + "/#" + kSmallCode,
        ToSjis(u8"これ見て→ https://example.org/#") + kSmallCode + ToSjis(u8" 強い！"),
        "VK1 VK " + kSmallCode + ">"}) {
    EXPECT_EQ(DecodeBuildCode(strText, error), SmallCode()) << strText;
  }
  for (const std::string& strText : {"xVK" + kSmallCode.substr(2), std::string("VK and VK1x")}) {
    EXPECT_FALSE(DecodeBuildCode(strText, error));
    EXPECT_EQ(DescribeCodeError(error), kNotACode) << strText;
  }
}

TEST(BuildCode, RandomBuildsComeBackUnchanged) {
  std::mt19937 random(17);
  for (int nRound = 0; nRound < 500; ++nRound) {
    const BuildCode_t code = RandomCode(random);
    const std::string strCode = Encode(code);
    const bool bWide = std::ranges::any_of(code.arrBuild, [](const Build_t& build) {
      return !build.setup.arrModifier.empty() && build.setup.arrModifier.back() > 1041;
    });  // a tick beyond version 1's 3-byte field
    ASSERT_TRUE(strCode.starts_with(bWide ? "VK2." : "VK1."));
    EXPECT_EQ(strCode.find_first_not_of(kAlphabet, 4), std::string::npos) << strCode;
    CodeError_t error;
    ASSERT_EQ(DecodeBuildCode(strCode, error), code) << nRound << ": " << DescribeCodeError(error);
  }
}

// Names spelled out come to 64 KiB at most: a 128-byte name for the build
// and its 511 motions is the most a code holds, one motion more is refused.
TEST(BuildCode, NamesSpelledOutUpTo64KiB) {
  Setup_t setup;
  setup.arrMotion.assign(511, std::string(128, 'x'));
  BuildCode_t code{0, {{std::string(128, 'x'), setup}}};
  CodeError_t error;
  EXPECT_EQ(DecodeBuildCode(Encode(code), error), code);
  code.arrBuild[0].setup.arrMotion.emplace_back(128, 'x');
  EXPECT_FALSE(EncodeBuildCode(code, error));
  EXPECT_EQ(DescribeCodeError(error), "no code: the builds are too long for a code");
}

// A build named with 6121 bytes: 6141 bytes in all, 8188 characters after
// "VK1.", the longest code there is.
TEST(BuildCode, ACodeOfTheLongestLengthIsWrittenAndRead) {
  const BuildCode_t code{0, {{std::string(6121, 'x'), {}}}};
  CodeError_t error;
  EXPECT_EQ(Encode(code).size(), 8192U);
  EXPECT_EQ(DecodeBuildCode(Encode(code), error), code) << DescribeCodeError(error);
}

// The typical build fits a chat line, and no cut and no single changed
// character of its code reads as a build.
TEST(BuildCode, EveryCutAndEveryChangedCharacterIsRefused) {
  const std::string strCode = Encode(TypicalCode());
  EXPECT_LE(strCode.size(), 200U);
  CodeError_t error;
  for (size_t nLength = 0; nLength < strCode.size(); ++nLength) {
    EXPECT_FALSE(DecodeBuildCode(strCode.substr(0, nLength), error)) << nLength;
    EXPECT_TRUE(error.eError == eCODE_ERROR::Damaged || error.eError == eCODE_ERROR::NotACode);
  }
  const std::string strOther = std::string(kAlphabet) + "./+=~ #%\x7F\xFF";
  for (size_t nPos = 0; nPos < strCode.size(); ++nPos) {
    for (const char c : strOther) {
      if (c == strCode[nPos]) continue;
      std::string strChanged = strCode;
      strChanged[nPos] = c;
      EXPECT_FALSE(DecodeBuildCode(strChanged, error)) << strChanged;
      EXPECT_NE(error.eError, eCODE_ERROR::Invalid) << strChanged;
    }
  }
}

struct RefusalRow_t {
  const char* szName;
  std::string strText;
  std::string strMessage;
};

class BuildCodeRefusal : public ::testing::TestWithParam<RefusalRow_t> {};

TEST_P(BuildCodeRefusal, TheMessageSaysWhy) {
  CodeError_t error;
  EXPECT_FALSE(DecodeBuildCode(GetParam().strText, error));
  EXPECT_EQ(DescribeCodeError(error), GetParam().strMessage);
}

// One build, named 0 of the names, of nothing but its motions: [name index...].
std::vector<uint8_t> MotionsBody(std::vector<uint8_t> arrNames, std::vector<uint8_t> arrMotion) {
  std::vector<uint8_t> arrBody{0, 0, 0, 0};
  arrBody.insert(arrBody.end(), arrNames.begin(), arrNames.end());
  arrBody.insert(arrBody.end(), {1, 0, 0});
  PutVarint(arrBody, arrMotion.size());
  arrBody.insert(arrBody.end(), arrMotion.begin(), arrMotion.end());
  arrBody.insert(arrBody.end(), {0, 0, 0});
  return arrBody;
}

// A name of 127 bytes, the build's and its 520 motions', spells out 66167
// bytes from a code of about 1000 characters; 64 KiB is the most a code may.
std::vector<uint8_t> LongNameNamedOften() {
  std::vector<uint8_t> arrNames{1, 127};
  arrNames.resize(129, 'x');
  return MotionsBody(arrNames, std::vector<uint8_t>(520, 0));
}

const std::string kInvalid = "the code is not one Velkar writes: ";

const RefusalRow_t kRefusalRows[] = {
    {"Empty", "", kNotACode},
    {"LeadingZero", "VK01.uB0KBxIEAwIBAgFBAVcBAEdQAQAAAEA", kNotACode},
    {"NewerFormat", "VK12.AAAA",
     "the code is of format 12, written by a newer Velkar; this one reads format " +
         std::to_string(kBuildCodeVersion)},
    {"VersionOfSevenDigits", "VK1234567.uB0K", kNotACode},
    {"TooLong", "VK1." + std::string(8189, 'A'),
     "the code is too long: 8193 characters; a code has at most 8192"},
    {"PlusOfBase64", "VK1.uB0K+xIE",
     "the code is damaged: character 9 ('+') cannot be in a code; copy it again whole"},
    {"DeleteCharacter", "VK1.uB0K\x7FxIE",
     "the code is damaged: character 9 (byte 0x7F) cannot be in a code; copy it again whole"},
    {"LastCharacterHasUnusedBits", "VK1.uB0KBxIEAwIBAgFBAVcBAEdQAQAAAEB",
     "the code is damaged: its last character was mistyped; copy it again whole"},
    {"CutAfterTheLength", Wrap({0, 0, 0, 0, 0, 0}, 1),
     "the code is damaged: it was cut short; copy it again whole"},
    {"LongerThanItSays", Wrap({0, 0, 0, 0, 0, 0}, -1),
     "the code is damaged: it is longer than it says; copy it again whole"},
    {"ChecksumDiffers", "VK1.vB0KBxIEAwIBAgFBAVcBAEdQAQAAAEA",
     "the code is damaged: a character was mistyped (the checksum differs); copy it again whole"},
    {"ControlCharacter", Wrap(MotionsBody({1, 4, 0x1B, '[', '2', 'J'}, {})),
     kInvalid + "a name holds a control character"},
    {"NameIndexBeyondTheNames", Wrap(MotionsBody({1, 1, 'a'}, {1})),
     kInvalid + "a build is cut short or names a name that is not there"},
    {"NamesTooLongSpelledOut", Wrap(LongNameNamedOften()),
     kInvalid + "a build is cut short or names a name that is not there"},
    {"MotionsBeyondTheBytes", Wrap({0, 0, 0, 0, 1, 0, 1, 0, 0, 5, 0, 0, 0}),
     kInvalid + "a build is cut short or names a name that is not there"},
    {"EndsBeforeTheNames", Wrap({0, 0, 0, 0}),
     kInvalid + "a build is cut short or names a name that is not there"},
    {"NoBuild", Wrap({0, 0, 0, 0, 0, 0}), kInvalid + "the number of builds is wrong"},
    {"ByteAfterTheLastBuild", Wrap({0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 7}),
     kInvalid + "bytes follow the last build"},
    {"SharpnessSix", Wrap({0, 0, 0, 0, 1, 0, 1, 0, 4, 0x60, 0, 0, 0, 0}),
     kInvalid + "a build's category or sharpness is out of range"},
    {"CategoryFifteen", Wrap({0, 0, 0, 0, 1, 0, 1, 0, 1, 0x0F, 0, 0, 0, 0}),
     kInvalid + "a build's category or sharpness is out of range"},
    {"KaishinAndMinusKaishin", Wrap({0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0xC0}),
     kInvalid + "two modifiers of one exclusive group are ticked"},
    {"VarintNotShortest", Wrap({0, 0, 0, 0, 1, 0, 1, 0x80, 0x00, 0, 0, 0, 0, 0}),
     kInvalid + "a build is cut short or names a name that is not there"},
};

INSTANTIATE_TEST_SUITE_P(Rows, BuildCodeRefusal, ::testing::ValuesIn(kRefusalRows),
                         RowName<RefusalRow_t>);

// The window and the page word a refusal in Japanese, with the code's start
// and the length limit filled in.
TEST(BuildCodeRefusalInJapanese, NamesThePrefixAndTheLimit) {
  CodeError_t error;
  DecodeBuildCode("", error);
  EXPECT_EQ(DescribeCodeErrorInJapanese(error),
            ToSjis(u8"ビルドのコードではありません。コードは「VK1.」で始まります。"));
  DecodeBuildCode("VK1." + std::string(8189, 'A'), error);
  EXPECT_EQ(DescribeCodeErrorInJapanese(error), ToSjis(u8"コードが長すぎます（8192 文字まで）。"));
}

}  // namespace
