// Whole-file reading, and the atomic writer: the target must survive every
// failure unchanged and no temporary file may be left behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/BinaryFile.h"
#include "support/TestDataDir.h"

namespace {

using testing::HasSubstr;
using velkar::CAtomicFileWriter;
using velkar::COutputDevice;
using velkar::eREAD_RESULT;
using velkar::ReadWholeFile;

std::vector<uint8_t> Bytes(size_t nSize, uint8_t bySeed) {
  std::vector<uint8_t> arrBytes(nSize);
  for (size_t n = 0; n < nSize; ++n) arrBytes[n] = static_cast<uint8_t>(bySeed + n * 7);
  return arrBytes;
}

std::vector<std::string> FolderEntries(const CTestDataDir& dir) {
  std::vector<std::string> arrName;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    arrName.push_back(entry.path().filename().string());
  }
  std::sort(arrName.begin(), arrName.end());
  return arrName;
}

// ---- reading -------------------------------------------------------------------------

TEST(ReadWholeFile, ReadsEveryByte) {
  CTestDataDir dir;
  const std::vector<uint8_t> arrWritten = Bytes(70000, 0);  // NUL and 0xFF included
  dir.WriteBytes("a.dat", arrWritten);
  std::vector<uint8_t> arrRead{1, 2, 3};
  std::string strError;
  EXPECT_EQ(ReadWholeFile(dir.PathOf("a.dat"), arrRead, strError), eREAD_RESULT::Ok);
  EXPECT_EQ(arrRead, arrWritten);
}

TEST(ReadWholeFile, EmptyFileIsOkAndEmpty) {
  CTestDataDir dir;
  dir.WriteBytes("empty.dat", std::string_view{});
  std::vector<uint8_t> arrRead{1};
  std::string strError;
  EXPECT_EQ(ReadWholeFile(dir.PathOf("empty.dat"), arrRead, strError), eREAD_RESULT::Ok);
  EXPECT_TRUE(arrRead.empty());
}

TEST(ReadWholeFile, MissingFileOrFolderIsMissing) {
  CTestDataDir dir;
  std::vector<uint8_t> arrRead{1};
  std::string strError;
  EXPECT_EQ(ReadWholeFile(dir.PathOf("absent.dat"), arrRead, strError), eREAD_RESULT::Missing);
  EXPECT_TRUE(arrRead.empty());
  EXPECT_EQ(ReadWholeFile(dir.PathOf("absent/a.dat"), arrRead, strError), eREAD_RESULT::Missing);
}

TEST(ReadWholeFile, FolderIsUnreadableWithReason) {
  CTestDataDir dir;
  std::filesystem::create_directory(dir.PathOf("sub"));
  std::vector<uint8_t> arrRead;
  std::string strError;
  EXPECT_EQ(ReadWholeFile(dir.PathOf("sub"), arrRead, strError), eREAD_RESULT::Unreadable);
  EXPECT_THAT(strError, HasSubstr(dir.PathOf("sub")));
}

// ---- writing -------------------------------------------------------------------------

TEST(AtomicFileWriter, CreatesNewFile) {
  CTestDataDir dir;
  CAtomicFileWriter writer(dir.PathOf("new.dat"));
  ASSERT_TRUE(writer.Open()) << writer.Error();
  const std::vector<uint8_t> arrBytes = Bytes(1000, 3);
  ASSERT_TRUE(writer.Commit(arrBytes)) << writer.Error();
  EXPECT_EQ(dir.ReadBytes("new.dat"), arrBytes);
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"new.dat"});
}

TEST(AtomicFileWriter, NewFileGetsOrdinaryPermissions) {
  CTestDataDir dir;
  const mode_t nMask = umask(022);
  umask(nMask);
  CAtomicFileWriter writer(dir.PathOf("new.dat"));
  ASSERT_TRUE(writer.Open() && writer.Commit(Bytes(4, 0))) << writer.Error();
  struct stat info {};
  ASSERT_EQ(stat(dir.PathOf("new.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~nMask);
}

TEST(AtomicFileWriter, ReplacesExistingFileAndKeepsItsPermissions) {
  CTestDataDir dir;
  dir.WriteBytes("old.dat", Bytes(5000, 1));
  ASSERT_EQ(chmod(dir.PathOf("old.dat").c_str(), 0640), 0);
  CAtomicFileWriter writer(dir.PathOf("old.dat"));
  ASSERT_TRUE(writer.Open()) << writer.Error();
  const std::vector<uint8_t> arrBytes = Bytes(12, 9);  // shorter than before
  ASSERT_TRUE(writer.Commit(arrBytes)) << writer.Error();
  EXPECT_EQ(dir.ReadBytes("old.dat"), arrBytes);
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"old.dat"});
  struct stat info {};
  ASSERT_EQ(stat(dir.PathOf("old.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(AtomicFileWriter, WritesEmptyFile) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 0));
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(writer.Open() && writer.Commit({})) << writer.Error();
  EXPECT_TRUE(dir.ReadBytes("x.dat").empty());
}

TEST(AtomicFileWriter, FolderAtTargetCannotBeCreated) {
  CTestDataDir dir;
  std::filesystem::create_directory(dir.PathOf("x.dat"));
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  EXPECT_FALSE(writer.Open());
  EXPECT_THAT(writer.Error(), HasSubstr(dir.PathOf("x.dat")));
  EXPECT_FALSE(writer.Commit(Bytes(3, 0)));
  EXPECT_TRUE(std::filesystem::is_directory(dir.PathOf("x.dat")));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
}

TEST(AtomicFileWriter, MissingFolderCannotBeCreated) {
  CTestDataDir dir;
  CAtomicFileWriter writer(dir.PathOf("absent/x.dat"));
  EXPECT_FALSE(writer.Open());
  EXPECT_THAT(writer.Error(), HasSubstr(dir.PathOf("absent/x.dat")));
  EXPECT_TRUE(FolderEntries(dir).empty());
}

TEST(AtomicFileWriter, CommitWithoutOpenFails) {
  CTestDataDir dir;
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  EXPECT_FALSE(writer.Commit(Bytes(3, 0)));
  EXPECT_FALSE(writer.Error().empty());
  EXPECT_FALSE(dir.Exists("x.dat"));
}

TEST(AtomicFileWriter, AbandonedWriteRemovesTemporaryFile) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 4));
  {
    CAtomicFileWriter writer(dir.PathOf("x.dat"));
    ASSERT_TRUE(writer.Open()) << writer.Error();
    EXPECT_EQ(FolderEntries(dir).size(), 2u);  // the target and the temporary file
  }
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(10, 4));
}

TEST(AtomicFileWriter, FailedRenameLeavesNoTemporaryFile) {
  CTestDataDir dir;
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(writer.Open()) << writer.Error();
  // A non-empty folder appears at the target before the commit.
  std::filesystem::create_directory(dir.PathOf("x.dat"));
  dir.WriteBytes("x.dat/inner", Bytes(1, 0));
  EXPECT_FALSE(writer.Commit(Bytes(8, 0)));
  EXPECT_THAT(writer.Error(), HasSubstr("cannot replace"));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
  EXPECT_TRUE(dir.Exists("x.dat/inner"));
}

// ---- a device that fails part-way ----------------------------------------------------

// Writes the first nBudget bytes to the temporary file for real, then fails;
// optionally fails the flush as well.
class CFailingDevice final : public COutputDevice {
public:
  CFailingDevice(const std::string& strPath, size_t nBudget, bool bFailFlush)
      : m_out(strPath, std::ios::binary | std::ios::trunc),
        m_nBudget(nBudget),
        m_bFailFlush(bFailFlush) {}

  bool Write(const uint8_t* pData, size_t nSize) override {
    const size_t nNow = std::min(nSize, m_nBudget);
    m_out.write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(nNow));
    m_nBudget -= nNow;
    return nNow == nSize;
  }
  bool Flush() override {
    m_out.close();
    return !m_bFailFlush;
  }
  std::string Error() const override { return "disk full (test)"; }

private:
  std::ofstream m_out;
  size_t m_nBudget;
  bool m_bFailFlush;
};

struct Failure_t {
  const char* pszName;
  size_t nBudget;  // bytes the device accepts
  bool bFailFlush;
};

class AtomicFileWriterFailure : public testing::TestWithParam<Failure_t> {
protected:
  void SetUp() override {
    const Failure_t row = GetParam();
    CAtomicFileWriter::SetDeviceFactory([row](const std::string& strPath) {
      return std::make_unique<CFailingDevice>(strPath, row.nBudget, row.bFailFlush);
    });
  }
  void TearDown() override { CAtomicFileWriter::SetDeviceFactory({}); }
};

constexpr size_t kNewSize = 300;

TEST_P(AtomicFileWriterFailure, LeavesOldFileAndNoTemporaryFile) {
  CTestDataDir dir;
  const std::vector<uint8_t> arrOld = Bytes(1000, 5);
  dir.WriteBytes("Sword.dat", arrOld);
  CAtomicFileWriter writer(dir.PathOf("Sword.dat"));
  ASSERT_TRUE(writer.Open()) << writer.Error();
  EXPECT_FALSE(writer.Commit(Bytes(kNewSize, 6)));
  EXPECT_THAT(writer.Error(), HasSubstr("disk full (test)"));
  EXPECT_EQ(dir.ReadBytes("Sword.dat"), arrOld);
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"Sword.dat"});
}

TEST_P(AtomicFileWriterFailure, CreatesNothingWhenTargetWasAbsent) {
  CTestDataDir dir;
  CAtomicFileWriter writer(dir.PathOf("Sword.dat"));
  ASSERT_TRUE(writer.Open()) << writer.Error();
  EXPECT_FALSE(writer.Commit(Bytes(kNewSize, 6)));
  EXPECT_TRUE(FolderEntries(dir).empty());
}

INSTANTIATE_TEST_SUITE_P(Devices, AtomicFileWriterFailure,
                         testing::Values(Failure_t{"FailsAtOnce", 0, false},
                                         Failure_t{"FailsAfterOneByte", 1, false},
                                         Failure_t{"FailsAfterTwelveBytes", 12, false},
                                         Failure_t{"FailsOnLastByte", kNewSize - 1, false},
                                         Failure_t{"FailsOnFlush", kNewSize, true}),
                         [](const auto& row) { return std::string(row.param.pszName); });

TEST(AtomicFileWriterFactory, EmptyFactoryRestoresDiskWrites) {
  CAtomicFileWriter::SetDeviceFactory([](const std::string& strPath) {
    return std::make_unique<CFailingDevice>(strPath, 0, false);
  });
  CAtomicFileWriter::SetDeviceFactory({});
  CTestDataDir dir;
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(writer.Open() && writer.Commit(Bytes(50, 1))) << writer.Error();
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(50, 1));
}

}  // namespace
