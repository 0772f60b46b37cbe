// Build codes: one or several builds as one short line of text that a player
// can paste into a chat or put into a link's fragment, and read back on any
// face. A code names records (weapons, motions, monsters, ...) by their
// Shift-JIS names, never by list positions, so it outlives a conversion of
// the data and works on modded data that keeps the names.
//
// Text: "VK", the format version in decimal (1 or more), ".", then the bytes below in
// base64url (RFC 4648 section 5: A-Z a-z 0-9 - _, without padding; the unused
// low bits of the last character must be 0). Only characters that may stand
// in a URL's fragment unescaped. Surrounding white space is ignored, and so is
// any text around a code that starts a word (a page's link, a line of chat),
// so that every face opens what another face copies. A text longer than
// kMaxBuildCodeTextLength, or a code longer than kMaxBuildCodeLength, is
// refused before it is read.
//
//   crc          4 bytes, little-endian: CRC-32 of every byte after it
//   length       varint: the number of bytes after it
//   fingerprint  4 bytes, little-endian: CDataManager::GetDataFingerprint of
//                the data the code was made with
//   names        varint count, then each name: varint byte length, bytes.
//                Every name of every build, each distinct name once, in
//                order of first use (a motion used six times costs one name
//                and six indexes)
//   builds       varint count (at least 1), then each build:
//     name       varint index into the names
//     present    1 byte: bit 0 category, 1 weapon, 2 sharpness, 3 monster,
//                4 level, 5 hit correction, 6 the monster is angry; bit 7 is 0
//     numbers    1 byte, when bit 0 or 2 is set: category (its row of the
//                category table) in bits 0-3, sharpness 0..5 in bits 4-7 (0
//                where absent)
//     weapon, monster, level, hit correction: a varint name index each, for
//                those present, in this order
//     motions    varint count, then a varint name index per chosen motion
//     modifiers  3 bytes in version 1 and one byte more in each later
//                version, little-endian: bit i set when control
//                kFirstModifierId + i is ticked (so the ticks come back in
//                ascending order); at most one of each exclusive group. A
//                code has the oldest version whose field holds every tick of
//                its builds, so the codes of builds of the first 24 modifiers
//                are version 1 whatever the newest version is; a reader
//                reads every version up to its newest
//
// A varint is 1 to 3 bytes of 7 bits each, lowest first, the high bit set on
// every byte but the last, in its shortest form. No byte may follow the last
// build.
//
// The CRC-32 over the bytes, and the length ahead of them, make every code
// that was cut short or had one character changed fail as damaged: a changed
// character changes at most 6 bits in 2 neighbouring bytes, which a CRC-32
// always detects, and a cut changes the number of bytes. Names must hold no
// control characters (bytes below 0x20, 0x7F), so that a hostile code cannot
// put terminal controls into a listing; a build's name must be Shift-JIS text
// (see velkar::CanonicalSjis), which the builds file can keep. Every count is checked against the
// bytes left before it is used; nothing is allocated from a count.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ModifierTable.h"
#include "setup/Setup.h"

// The newest version: the one whose modifiers field holds every modifier.
inline constexpr int kBuildCodeVersion = std::max(1, (kModifierCount + 7) / 8 - 2);
inline constexpr size_t kMaxBuildCodeLength = 8192;  // characters
// A text holding a code: room for a long link's address around the longest code.
inline constexpr size_t kMaxBuildCodeTextLength = 4 * kMaxBuildCodeLength;

struct BuildCode_t {
  uint32_t nFingerprint = 0;  // of the data the code was made with
  std::vector<Build_t> arrBuild;

  bool operator==(const BuildCode_t&) const = default;
};

enum class eCODE_ERROR {
  None,
  NotACode,     // the text does not start as a code does
  NewerFormat,  // a code of a format this version does not know
  TooLong,      // longer than kMaxBuildCodeLength
  Damaged,      // cut short or mistyped: a character, the length or the CRC
  Invalid,      // intact, but not a code Velkar writes (a made-up one)
  Unwritable    // encoding: the builds cannot be put into a code
};

struct CodeError_t {
  eCODE_ERROR eError = eCODE_ERROR::None;
  std::string strDetail;  // English, for the message

  bool operator==(const CodeError_t&) const = default;
};

// The code of the builds. The modifiers of a setup are stored as the ticks
// that restoring its list leaves (in each exclusive group the member listed
// last), so a list in another order, or with repeats, comes back ascending.
// Refused (Unwritable) without a build, for a category outside the table or a
// sharpness outside 0..5, a name with a control character, or a code that
// would be longer than kMaxBuildCodeLength.
std::optional<std::string> EncodeBuildCode(const BuildCode_t& code, CodeError_t& error);

// The builds of a code, or none with the reason. Any text up to the limit is
// read or refused in time proportional to its length.
std::optional<BuildCode_t> DecodeBuildCode(std::string_view text, CodeError_t& error);

// The reason as one line of plain English for the command line, e.g. "the
// code is damaged: it was cut short or mistyped (its checksum does not
// match); copy it again whole".
std::string DescribeCodeError(const CodeError_t& error);

// The reason in Japanese for the window and the web page (Shift-JIS), one
// sentence per kind of failure.
std::string DescribeCodeErrorInJapanese(const CodeError_t& error);
