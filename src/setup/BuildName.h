// The name a player gives a build (UTF-8, typed in the window or on the
// command line), checked before it is stored: it must not be empty, must
// hold no control character (a name is shown on one line, and a shared file
// must not carry terminal escape sequences) and must be text that Shift-JIS,
// the core's encoding, can hold.
#pragma once

#include <string>
#include <string_view>

enum class eBUILD_NAME { Ok, Empty, NotUtf8, ControlCharacter, NotSjis };

struct BuildNameCheck_t {
  eBUILD_NAME eResult = eBUILD_NAME::Ok;
  std::string strSjis;  // Ok: the name as stored
  // The first character at fault; for NotUtf8 the first byte that is not.
  char32_t cpFault = 0;
};

BuildNameCheck_t CheckBuildName(std::string_view utf8);

// One line of English saying why the name cannot be used.
std::string DescribeInEnglish(const BuildNameCheck_t& check);
