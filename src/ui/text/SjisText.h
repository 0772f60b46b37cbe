// The one bridge between the core's Shift-JIS texts and Qt's QString: every
// text the window shows goes through FromSjis, every text it hands back to the
// core through ToSjis.
#pragma once

#include <QString>
#include <string>
#include <string_view>

// Shift-JIS bytes as a QString (undecodable bytes become U+FFFD).
QString FromSjis(std::string_view sjis);

// A QString as Shift-JIS bytes; a character code page 932 lacks becomes '?'.
std::string ToSjis(const QString& text);

// The longest prefix of text whose Shift-JIS form has at most nMaxBytes bytes,
// never ending inside a double-byte character.
QString LimitToSjisBytes(const QString& text, size_t nMaxBytes);
