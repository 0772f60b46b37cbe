// Texts from files or the system shown where their bytes could do harm: a
// name printed on a terminal (an escape sequence would reach it) or in one
// row of a list (a line feed would break it), and a path put into JSON (which
// must be UTF-8). Control characters and bytes that are not UTF-8 are written
// as escapes instead.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velkar {

// The UTF-8 character at nPos: its length in bytes, or 0 when the bytes there
// are not well-formed UTF-8 (overlong forms, surrogates and code points above
// U+10FFFF included); cp is set to its code point.
size_t DecodeUtf8(std::string_view text, size_t nPos, char32_t& cp);

// C0 controls, DEL and the C1 controls U+0080 to U+009F.
constexpr bool IsControlCodePoint(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

// True when Shift-JIS text holds a control character: a single byte below
// 0x20, DEL (0x7F), or 0x80, which some decoders turn into U+0080.
bool HasSjisControl(std::string_view sjis);

// Shift-JIS text with each control character written as \t, \n, \r or \xHH
// (lower-case hex); everything else unchanged.
std::string EscapeSjisControls(std::string_view sjis);

// Bytes meant as UTF-8 (a path): each well-formed character kept, each other
// byte written as \xHH.
std::string EscapeNonUtf8(std::string_view bytes);

// "U+001B": how a message names one character.
std::string CodePointName(char32_t cp);

}  // namespace velkar
