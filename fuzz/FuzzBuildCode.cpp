// Fuzzes the build code reader: any text must be read or refused without a
// fault, with a reason when refused, and whatever is read must be a code the
// writer writes: written again and read back, it gives the same builds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "setup/BuildCode.h"

using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
  CodeError_t error;
  const std::optional<BuildCode_t> code = DecodeBuildCode(text, error);
  Require(code.has_value() == (error.eError == eCODE_ERROR::None));
  Require(!DescribeCodeError(error).empty());
  if (!code) return 0;
  // Written again, names are shared and ordered by first use, so the code
  // may grow past the limit; any other refusal is a fault.
  const std::optional<std::string> strCode = EncodeBuildCode(*code, error);
  if (!strCode) {
    Require(error.eError == eCODE_ERROR::Unwritable);
    return 0;
  }
  Require(DecodeBuildCode(*strCode, error) == code);
  return 0;
}
