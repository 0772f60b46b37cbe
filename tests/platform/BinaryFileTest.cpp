// Whole-file reading, and the atomic writer: the target must survive every
// failure unchanged and no temporary file may be left behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/BinaryFile.h"
#include "support/HostileFiles.h"
#include "support/TestDataDir.h"

namespace {

using velkar::CAtomicFileWriter;
using velkar::eREAD_RESULT;
using velkar::kMaxReadBytes;

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

// Every kind of file answers at once (a FIFO without a writer would block a
// plain open forever), and only a regular file within the limit is read.
TEST(ReadWholeFile, ReadsOnlyRegularFilesWithinTheLimit) {
  CTestDataDir dir;
  dir.WriteBytes("one", Bytes(1, 0));
  dir.WriteBytes("empty", std::string_view{});
  dir.WriteBytes("big", std::string_view{});
  ASSERT_EQ(truncate(dir.PathOf("big").c_str(), static_cast<off_t>(kMaxReadBytes + 1)), 0);
  MakeHostileFile(eHOSTILE::FIFO, dir.PathOf("fifo"));
  MakeHostileFile(eHOSTILE::FOLDER, dir.PathOf("folder"));
  const struct {
    const char* pszName;
    eREAD_RESULT eResult;
    const char* pszDetail;
    uint64_t nSize;  // bytes read, or the size a TooLarge failure gives
  } arrRow[] = {{"one", eREAD_RESULT::Ok, "", 1},
                {"empty", eREAD_RESULT::Ok, "", 0},
                {"big", eREAD_RESULT::TooLarge, "", kMaxReadBytes + 1},
                {"absent", eREAD_RESULT::Missing, "", 0},
                {"one/inside", eREAD_RESULT::Missing, "", 0},
                {"fifo", eREAD_RESULT::NotRegular, "a FIFO", 0},
                {"folder", eREAD_RESULT::NotRegular, "a folder", 0}};
  for (const auto& row : arrRow) {
    SCOPED_TRACE(row.pszName);
    std::vector<uint8_t> arrRead{1, 2, 3};
    velkar::ReadFailure_t failure;
    EXPECT_EQ(velkar::ReadWholeFile(dir.PathOf(row.pszName), arrRead, failure), row.eResult);
    EXPECT_EQ(failure.eResult, row.eResult);
    EXPECT_EQ(failure.strDetail, row.pszDetail);
    const bool bOk = row.eResult == eREAD_RESULT::Ok;
    EXPECT_EQ(arrRead, bOk ? Bytes(row.nSize, 0) : std::vector<uint8_t>{});
    EXPECT_EQ(failure.nSize, bOk ? 0 : row.nSize);
  }
}

// A new file gets the permissions of an ordinary new file, a replaced one
// keeps its own; nothing else stays in the folder.
TEST(AtomicFileWriter, CreatesAndReplacesWithTheRightPermissions) {
  CTestDataDir dir;
  dir.WriteBytes("old.dat", Bytes(5000, 1));
  ASSERT_EQ(chmod(dir.PathOf("old.dat").c_str(), 0640), 0);
  const mode_t nMask = umask(022);
  umask(nMask);
  for (const auto& [strName, nMode] : {std::pair{"new.dat", 0666 & ~nMask}, {"old.dat", 0640}}) {
    CAtomicFileWriter writer(dir.PathOf(strName));
    ASSERT_TRUE(writer.Open() && writer.Commit(Bytes(12, 9))) << writer.Error();
    EXPECT_EQ(dir.ReadBytes(strName), Bytes(12, 9));
    struct stat info {};
    ASSERT_EQ(stat(dir.PathOf(strName).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, nMode);
  }
  EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"new.dat", "old.dat"}));
}

// A write the system refuses part-way (here the file size limit) gives the
// system's reason, in the words of this machine's C library, and keeps the
// old file.
TEST(AtomicFileWriter, SystemWriteErrorKeepsTheOldFile) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 4));
  EXPECT_TRUE(ChildSucceeds([&] {
    alarm(20);  // ends a writer that retries for ever
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    CAtomicFileWriter writer(dir.PathOf("x.dat"));
    return setrlimit(RLIMIT_FSIZE, &limit) == 0 && writer.Open() && !writer.Commit(Bytes(500, 1)) &&
           writer.Error() == "writing the new " + dir.PathOf("x.dat") + " failed: write failed (" +
                                 strerror(EFBIG) + ")";
  }));
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(10, 4));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
}

// A target that is a symbolic link stays one: the file it leads to is
// replaced, through any chain of links, and a dangling link gets its file;
// links that lead round in a circle fail and change nothing.
struct LinkRow_t {
  const char* szName;
  std::vector<std::pair<std::string, std::string>> arrLink;  // name, target; '@' absolute
  const char* szWritten;  // the file the bytes go to; null when the write fails
};

class AtomicFileWriterLinks : public testing::TestWithParam<LinkRow_t> {};

TEST_P(AtomicFileWriterLinks, ReplaceTheFileTheLinkLeadsTo) {
  CTestDataDir dir;
  std::filesystem::create_directory(dir.PathOf("sync"));
  dir.WriteBytes("sync/x.dat", Bytes(10, 4));
  for (const auto& [strLink, strTarget] : GetParam().arrLink) {
    const std::string strTo = strTarget[0] == '@' ? dir.PathOf(strTarget.substr(1)) : strTarget;
    ASSERT_EQ(symlink(strTo.c_str(), dir.PathOf(strLink).c_str()), 0);
  }
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  const bool bWritten = writer.Open() && writer.Commit(Bytes(20, 2));
  ASSERT_EQ(bWritten, GetParam().szWritten != nullptr) << writer.Error();
  EXPECT_EQ(bWritten ? dir.ReadBytes(GetParam().szWritten) : std::vector<uint8_t>(),
            bWritten ? Bytes(20, 2) : std::vector<uint8_t>());
  EXPECT_EQ(writer.Error(),
            bWritten ? "" : dir.PathOf("x.dat") + " leads through too many symbolic links");
  for (const auto& [strLink, strTarget] : GetParam().arrLink) {
    EXPECT_TRUE(std::filesystem::is_symlink(dir.PathOf(strLink))) << strLink;
  }
  if (!bWritten || GetParam().szWritten != std::string_view("sync/x.dat")) {
    EXPECT_EQ(dir.ReadBytes("sync/x.dat"), Bytes(10, 4));
  }
}

const LinkRow_t kLinkRows[] = {
    {"Relative", {{"x.dat", "sync/x.dat"}}, "sync/x.dat"},
    {"LinkToALink", {{"x.dat", "@mid.dat"}, {"mid.dat", "sync/x.dat"}}, "sync/x.dat"},
    {"Dangling", {{"x.dat", "sync/new.dat"}}, "sync/new.dat"},
    {"Circle", {{"x.dat", "y.dat"}, {"y.dat", "x.dat"}}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Links, AtomicFileWriterLinks, testing::ValuesIn(kLinkRows),
                         [](const auto& row) { return std::string(row.param.szName); });

// The same rules hold for unnamed temporary files and for the named ones of
// file systems without O_TMPFILE.
class AtomicFileWriterModes : public testing::TestWithParam<bool> {
protected:
  void SetUp() override { CAtomicFileWriter::SetUnnamedTemps(GetParam()); }
  void TearDown() override { CAtomicFileWriter::SetUnnamedTemps(true); }
};

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
}

// A folder that takes no new file fails the open (the target itself may be
// written), a target turned into a folder meanwhile fails the rename; neither
// leaves anything behind.
TEST_P(AtomicFileWriterModes, NoTemporaryFileOrNoRenameFails) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 4));
  ASSERT_EQ(chmod(dir.PathOf("x.dat").c_str(), 0666) | chmod(dir.Path().c_str(), 0555), 0);
  EXPECT_TRUE(ChildSucceeds([&] {
    CAtomicFileWriter writer(dir.PathOf("x.dat"));
    // root writes anywhere: the check runs as the unprivileged user nobody
    return (geteuid() != 0 || seteuid(65534) == 0) && !writer.Open() &&
           writer.Error() == "cannot create a temporary file beside " + dir.PathOf("x.dat") + " (" +
                                 strerror(EACCES) + ")";
  }));
  ASSERT_EQ(chmod(dir.Path().c_str(), 0700), 0);
  CAtomicFileWriter writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(writer.Open()) << writer.Error();
  dir.Remove("x.dat");
  std::filesystem::create_directories(dir.PathOf("x.dat/inside"));
  EXPECT_FALSE(writer.Commit(Bytes(5, 1)));
  EXPECT_EQ(writer.Error(),
            "cannot replace " + dir.PathOf("x.dat") + " (" + strerror(EISDIR) + ")");
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
}

INSTANTIATE_TEST_SUITE_P(TemporaryFiles, AtomicFileWriterModes, testing::Values(true, false),
                         [](const auto& row) { return row.param ? "Unnamed" : "Named"; });

// A flush that fails keeps the old file and leaves no temporary file.
TEST(AtomicFileWriter, FailedFlushKeepsTheOldFile) {
  CTestDataDir dir;
  dir.WriteBytes("Sword.dat", Bytes(1000, 5));
  CAtomicFileWriter::SetDeviceFactory(
      [](int fd) { return std::make_unique<CFailingDevice>(fd, 300, true); });
  CAtomicFileWriter writer(dir.PathOf("Sword.dat"));
  EXPECT_TRUE(writer.Open() && !writer.Commit(Bytes(300, 6)));
  CAtomicFileWriter::SetDeviceFactory({});
  EXPECT_EQ(writer.Error(), "flushing the new " + dir.PathOf("Sword.dat") +
                                " failed: no space left on the test device");
  EXPECT_EQ(dir.ReadBytes("Sword.dat"), Bytes(1000, 5));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"Sword.dat"});
}

}  // namespace
