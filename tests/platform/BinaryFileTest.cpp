// Whole-file reading, and the atomic writer: the target must survive every
// failure unchanged and no temporary file may be left behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/BinaryFile.h"
#include "support/HostileFiles.h"
#include "support/TestDataDir.h"

namespace {

using testing::HasSubstr;
using velkar::CAtomicFileWriter;
using velkar::COutputDevice;
using velkar::eREAD_RESULT;
using velkar::kMaxReadBytes;
using velkar::ReadFailure_t;
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

struct ReadRow_t {
  const char* pszName;
  std::function<void(const CTestDataDir&)> make;  // makes "f"
  eREAD_RESULT eResult;
  std::string strDetail;  // what the failure says
  uint64_t nSize;         // bytes read, or the size a TooLarge failure gives
};

class ReadWholeFileTest : public testing::TestWithParam<ReadRow_t> {};

// Every kind of file answers at once (a FIFO without a writer would block a
// plain open forever), and only a regular file within the limit is read.
TEST_P(ReadWholeFileTest, ReadsOnlyRegularFilesWithinTheLimit) {
  const ReadRow_t& row = GetParam();
  CTestDataDir dir;
  row.make(dir);
  std::vector<uint8_t> arrRead{1, 2, 3};
  ReadFailure_t failure;
  EXPECT_EQ(ReadWholeFile(dir.PathOf("f"), arrRead, failure), row.eResult);
  EXPECT_EQ(failure.eResult, row.eResult);
  EXPECT_EQ(failure.strDetail, row.strDetail);
  if (row.eResult == eREAD_RESULT::Ok) {
    // Every row's file holds the Bytes pattern, or zeros when made sparse.
    const bool bSparse = row.nSize > 70000;
    EXPECT_EQ(arrRead, bSparse ? std::vector<uint8_t>(row.nSize, 0) : Bytes(row.nSize, 0));
  } else {
    EXPECT_TRUE(arrRead.empty());
    EXPECT_EQ(failure.nSize, row.nSize);
  }
}

void MakeSized(const CTestDataDir& dir, uint64_t nSize) {
  std::ofstream(dir.PathOf("f")).close();
  ASSERT_EQ(truncate(dir.PathOf("f").c_str(), static_cast<off_t>(nSize)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReadWholeFileTest,
    testing::Values(
        ReadRow_t{"RegularFile", [](const CTestDataDir& d) { d.WriteBytes("f", Bytes(70000, 0)); },
                  eREAD_RESULT::Ok, "", 70000},
        ReadRow_t{"EmptyFile", [](const CTestDataDir& d) { d.WriteBytes("f", std::string_view{}); },
                  eREAD_RESULT::Ok, "", 0},
        ReadRow_t{"AtTheLimit", [](const CTestDataDir& d) { MakeSized(d, kMaxReadBytes); },
                  eREAD_RESULT::Ok, "", kMaxReadBytes},
        ReadRow_t{"OneByteAboveTheLimit",
                  [](const CTestDataDir& d) { MakeSized(d, kMaxReadBytes + 1); },
                  eREAD_RESULT::TooLarge, "", kMaxReadBytes + 1},
        ReadRow_t{
            "Sparse2GB",
            [](const CTestDataDir& d) { MakeHostileFile(eHOSTILE::SPARSE_2GB, d.PathOf("f")); },
            eREAD_RESULT::TooLarge, "", uint64_t{1} << 31},
        ReadRow_t{"Missing", [](const CTestDataDir&) {}, eREAD_RESULT::Missing, "", 0},
        ReadRow_t{"MissingFolder",
                  [](const CTestDataDir& d) { d.WriteBytes("x", std::string_view("x")); },
                  eREAD_RESULT::Missing, "", 0},
        ReadRow_t{"Fifo",
                  [](const CTestDataDir& d) { MakeHostileFile(eHOSTILE::FIFO, d.PathOf("f")); },
                  eREAD_RESULT::NotRegular, "a FIFO", 0},
        ReadRow_t{"Folder",
                  [](const CTestDataDir& d) { MakeHostileFile(eHOSTILE::FOLDER, d.PathOf("f")); },
                  eREAD_RESULT::NotRegular, "a folder", 0},
        ReadRow_t{"Socket",
                  [](const CTestDataDir& d) { MakeHostileFile(eHOSTILE::SOCKET, d.PathOf("f")); },
                  eREAD_RESULT::NotRegular, "a socket", 0},
        ReadRow_t{"Device",
                  [](const CTestDataDir& d) { MakeHostileFile(eHOSTILE::DEVICE, d.PathOf("f")); },
                  eREAD_RESULT::NotRegular, "a device", 0}),
    [](const auto& row) { return std::string(row.param.pszName); });

// Reading a file whose bytes do not fit in memory reports it; it never ends
// the process.
TEST(ReadWholeFileMemory, AllocationFailureIsAnError) {
  if (kSanitized) GTEST_SKIP() << "a sanitizer's shadow memory needs the address space";
  CTestDataDir dir;
  const uint64_t nSize = uint64_t{60} << 20;
  MakeSized(dir, nSize);
  EXPECT_TRUE(RunWithAddressSpaceLimit(uint64_t{16} << 20, [&] {
    std::vector<uint8_t> arrRead;
    ReadFailure_t failure;
    return ReadWholeFile(dir.PathOf("f"), arrRead, failure) == eREAD_RESULT::OutOfMemory &&
           failure.nSize == nSize && arrRead.empty();
  }));
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

// The same rules hold for unnamed temporary files and for the named ones of
// file systems without O_TMPFILE.
class AtomicFileWriterModes : public testing::TestWithParam<bool> {
protected:
  void SetUp() override { CAtomicFileWriter::SetUnnamedTemps(GetParam()); }
  void TearDown() override { CAtomicFileWriter::SetUnnamedTemps(true); }
};

// A writer killed half-way keeps the old file; whatever it left behind is
// gone after the next write of the same file.
TEST_P(AtomicFileWriterModes, KilledWriterLeavesTheOldFileAndNothingThatStays) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 4));
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    CAtomicFileWriter::SetDeviceFactory(
        [](int fd) { return std::make_unique<CFailingDevice>(fd, 100, false); });
    CAtomicFileWriter writer(dir.PathOf("x.dat"));
    if (writer.Open()) writer.Commit(Bytes(500, 1));  // stops after 100 bytes
    raise(SIGKILL);
  }
  int nStatus = 0;
  ASSERT_EQ(waitpid(pid, &nStatus, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(nStatus));
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(10, 4));

  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(writer.Open() && writer.Commit(Bytes(20, 2))) << writer.Error();
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(20, 2));
}

// A stale temporary file of a killed writer is removed; one a live writer
// holds is not, so that writer still commits.
TEST_P(AtomicFileWriterModes, OnlyTemporaryFilesOfWritersThatAreGoneAreRemoved) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat.tmpAbC123", Bytes(7, 0));  // left by a killed writer
  dir.WriteBytes("y.dat.tmpAbC123", Bytes(7, 0));  // another file's: not ours to remove
  CAtomicFileWriter first(dir.PathOf("x.dat"));
  ASSERT_TRUE(first.Open()) << first.Error();
  CAtomicFileWriter second(dir.PathOf("x.dat"));
  ASSERT_TRUE(second.Open() && second.Commit(Bytes(30, 3))) << second.Error();
  ASSERT_TRUE(first.Commit(Bytes(40, 4))) << first.Error();
  EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"x.dat", "y.dat.tmpAbC123"}));
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(40, 4));
}

// Two processes replacing one file over and over: the file is always one of
// the complete versions, and no temporary file stays.
TEST_P(AtomicFileWriterModes, ConcurrentWritersNeverLoseTheFile) {
  CTestDataDir dir;
  const std::vector<std::vector<uint8_t>> arrVersion{Bytes(20000, 1), Bytes(30000, 2)};
  std::vector<pid_t> arrChild;
  for (const std::vector<uint8_t>& arrBytes : arrVersion) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      bool bAll = true;
      for (int n = 0; n < 40; ++n) {
        CAtomicFileWriter writer(dir.PathOf("x.dat"));
        bAll = writer.Open() && writer.Commit(arrBytes) && bAll;
      }
      _exit(bAll ? 0 : 1);
    }
    arrChild.push_back(pid);
  }
  for (const pid_t pid : arrChild) {
    int nStatus = 0;
    ASSERT_EQ(waitpid(pid, &nStatus, 0), pid);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
  }
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
  const std::vector<uint8_t> arrFinal = dir.ReadBytes("x.dat");
  EXPECT_TRUE(arrFinal == arrVersion[0] || arrFinal == arrVersion[1]);
}

INSTANTIATE_TEST_SUITE_P(TemporaryFiles, AtomicFileWriterModes, testing::Values(true, false),
                         [](const auto& row) { return row.param ? "Unnamed" : "Named"; });

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

struct Failure_t {
  const char* pszName;
  size_t nBudget;  // bytes the device accepts
  bool bFailFlush;
};

class AtomicFileWriterFailure : public testing::TestWithParam<Failure_t> {
protected:
  void SetUp() override {
    const Failure_t row = GetParam();
    CAtomicFileWriter::SetDeviceFactory([row](int fd) {
      return std::make_unique<CFailingDevice>(fd, row.nBudget, row.bFailFlush);
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
  EXPECT_THAT(writer.Error(), HasSubstr("no space left on the test device"));
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
                                         Failure_t{"FailsAfterTwelveBytes", 12, false},
                                         Failure_t{"FailsOnFlush", kNewSize, true}),
                         [](const auto& row) { return std::string(row.param.pszName); });

TEST(AtomicFileWriterFactory, EmptyFactoryRestoresDiskWrites) {
  CAtomicFileWriter::SetDeviceFactory(
      [](int fd) { return std::make_unique<CFailingDevice>(fd, 0, false); });
  CAtomicFileWriter::SetDeviceFactory({});
  CTestDataDir dir;
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(writer.Open() && writer.Commit(Bytes(50, 1))) << writer.Error();
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(50, 1));
}

}  // namespace
