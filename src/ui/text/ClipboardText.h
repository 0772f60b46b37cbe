// Puts a Shift-JIS report on the clipboard: at most its first 1024 bytes, cut
// so that no double-byte character is split, offered as Unicode plain text
// and, byte for byte, as Shift-JIS text.
#pragma once

#include <string_view>

inline constexpr size_t kClipboardMaxBytes = 1024;
inline constexpr char kSjisMimeType[] = "text/plain;charset=Shift_JIS";

// The part of the text that goes on the clipboard: the longest prefix of at
// most kClipboardMaxBytes bytes that ends on a character boundary.
std::string_view ClipboardPart(std::string_view sjis);

// Replaces the clipboard's contents. Reports no failure.
void CopyTextToClipboard(std::string_view sjis);
