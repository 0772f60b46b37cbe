// Conversions that fail: a source that cannot be read or a data file that
// cannot be written keeps the old data file, and so does running out of
// memory, which is an error and no abort.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/AtomicFileWriter.h"
#include "support/HostileFiles.h"
#include "support/TestDataDir.h"

namespace {

// A write that fails after the data file was opened fails the conversion with
// the reason and keeps the old data file (a source that cannot be read is the
// convert command's test); a category beyond the last converts nothing.
TEST(ConversionTest, FailureKeepsTheOldDataFile) {
  CTestDataDir dir;
  dir.WriteBytes("Sword.dat", std::string_view("old"));
  dir.WriteText("Sword.ini", u8"[Weapon]\r\n1=w,100,0,0,3,0\r\n");
  CTestDataStore store(dir);
  velkar::CAtomicFileWriter::SetDeviceFactory(
      [](int fd) { return std::make_unique<CFailingDevice>(fd, 3, false); });
  EXPECT_FALSE(store->ConvertWeaponIni(CATEGORY_SWORD));
  velkar::CAtomicFileWriter::SetDeviceFactory({});
  EXPECT_FALSE(store->GetLastConvertReport().bWritten);
  EXPECT_EQ(store->GetLastConvertReport().strError,
            dir.PathOf("Sword.dat") +
                ": the file could not be written, the previous one is kept: "
                "writing the new " +
                dir.PathOf("Sword.dat") + " failed: no space left on the test device");
  EXPECT_EQ(dir.ReadBytes("Sword.dat"), std::vector<uint8_t>({'o', 'l', 'd'}));
  EXPECT_FALSE(store->ConvertWeaponIni(CATEGORY_COUNT));
  EXPECT_EQ(store->GetLastConvertReport().strError,
            "no weapon category " + std::to_string(CATEGORY_COUNT));
}

// Files within the size limit whose records do not fit in the memory the
// process may use: the load or the conversion fails naming the file, the old
// data file stays, and the process carries on instead of aborting.
TEST(ConversionTest, RunningOutOfMemoryIsAnErrorNotAnAbort) {
  if (kSanitized) GTEST_SKIP() << "a sanitizer's shadow memory needs the address space";
  CTestDataDir dir;
  const uint32_t nMonsters = 3000000;  // 51 MB of the smallest records
  std::string strData;
  for (int nShift = 0; nShift < 32; nShift += 8) strData += static_cast<char>(nMonsters >> nShift);
  for (uint32_t n = 0; n < nMonsters; ++n) strData.append("\n").append(16, '\0');
  dir.WriteBytes("Monster.dat", strData.append(4, '\0'));
  std::string strSource = "[Weapon]\r\n";
  while (strSource.size() < (size_t{50} << 20)) strSource += "1=b\r\n";
  dir.WriteBytes("Sword.ini", strSource);
  dir.WriteBytes("Sword.dat", std::string_view("old"));
  CTestDataStore store(dir);
  const uint64_t nRoom = uint64_t{150} << 20;
  // Each runs in a child, which prints its failures and answers by its exit
  // status whether there were any.
  EXPECT_TRUE(RunWithAddressSpaceLimit(nRoom, [&] {
    EXPECT_FALSE(store->LoadMonsterData());
    EXPECT_EQ(store->GetLoadErrors().size(), 1U);
    EXPECT_EQ(store->GetLoadErrors().at(0).eKind, DATA_FILE_NO_MEMORY);
    EXPECT_TRUE(store->GetMonsterList().empty());
    return !::testing::Test::HasFailure();
  }));
  EXPECT_TRUE(RunWithAddressSpaceLimit(nRoom, [&] {
    EXPECT_FALSE(store->ConvertWeaponIni(CATEGORY_SWORD));
    EXPECT_EQ(store->GetLastConvertReport().failure.value().eKind, DATA_FILE_NO_MEMORY);
    EXPECT_EQ(dir.ReadBytes("Sword.dat"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    return !::testing::Test::HasFailure();
  }));
}

}  // namespace
