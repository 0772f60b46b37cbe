// Fuzzes the reader of the setup files: any bytes, as the last setup and as
// the builds file, must be read (or ignored) without a fault, and whatever is
// read must come back unchanged from the stored form it would be saved in.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "setup/SetupStore.h"

using fuzz::Require;

namespace {

void RequireStable(const Setup_t& setup) {
  Require(CSetupStore::SetupFromJson(CSetupStore::SetupToJson(setup)) == setup);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
  const std::string& strFolder = fuzz::ScratchFolder();
  fuzz::WriteFile(strFolder + "last-setup.json", bytes);
  fuzz::WriteFile(strFolder + "builds.json", bytes);
  const CSetupStore store(strFolder);
  if (const std::optional<Setup_t> setup = store.LoadLastSetup()) RequireStable(*setup);
  for (const ListedBuild_t& listed : store.LoadBuilds()) {
    Require(!listed.build.strName.empty());
    RequireStable(listed.build.setup);
  }
  return 0;
}
