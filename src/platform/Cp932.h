// Conversion between Shift-JIS (code page 932), the encoding of every text in
// the core and the data files, and UTF-8, the encoding of Qt and terminals.
// Tables taken from glibc's iconv ("CP932") make it the same on every target;
// the window, velkar-tool and the web page all use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velkar {

// Shift-JIS to UTF-8. Never fails: a byte sequence that is not valid code page
// 932 becomes U+FFFD, and decoding carries on after it.
std::string SjisToUtf8(std::string_view sjis);

// The one spelling code page 932 writes for a Shift-JIS text: the text to
// Unicode and back (0x879A, a second spelling of U+2235, becomes 0x81E6). The
// files keep names as Unicode, so two spellings of one name are one name
// there, and names are compared in this form. None when a byte sequence of
// the text is no character (it cannot be written to a file unchanged).
std::optional<std::string> CanonicalSjis(std::string_view sjis);

// UTF-8 to Shift-JIS; none when the input is not valid UTF-8 or holds a
// character that code page 932 cannot encode.
std::optional<std::string> Utf8ToSjis(std::string_view utf8);

// UTF-8 to Shift-JIS for text that must be read whatever it holds: each
// character that code page 932 lacks, and each malformed UTF-8 sequence,
// becomes one '?', whose offset in the result is appended to arrReplaced. A
// malformed sequence never swallows an ASCII byte after it.
std::string Utf8ToSjisReplacing(std::string_view utf8, std::vector<size_t>& arrReplaced);

// Shift-JIS of a UTF-8 literal; a character code page 932 lacks becomes '?'.
// Meant for literals in tests and tools, e.g. ToSjis(u8"大剣").
std::string ToSjis(std::u8string_view utf8);

// True when the text is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsUtf8(std::string_view text);

// True when the byte starts a double-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The length of the longest prefix of text, at most nMaxBytes long, that does
// not end inside a double-byte character.
size_t SjisPrefixLength(std::string_view text, size_t nMaxBytes);

// True when part occurs in text starting on a character of text: a match
// that would begin on the second byte of a double-byte character does not
// count. An empty part occurs in every text.
bool SjisContains(std::string_view text, std::string_view part);

}  // namespace velkar
