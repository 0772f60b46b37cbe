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
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "WriterKinds.h"
#include "platform/AtomicFileWriter.h"
#include "platform/BinaryFile.h"
#include "platform/TempFileNames.h"
#include "support/HostileFiles.h"
#include "support/RowName.h"
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

// Temporary names end in six letters or digits, drawn from all 62.
TEST(TempFileNames, SuffixesOfLettersAndDigits) {
  std::set<char> setSeen;
  for (int n = 0; n < 2000; ++n) {
    const std::string strName = velkar::NewTempName("x.dat");
    setSeen.insert(strName.begin() + 9, strName.end());
  }
  EXPECT_EQ(std::string(setSeen.begin(), setSeen.end()),
            "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
}

std::unique_ptr<CWriterUnderTest> MakeLinuxWriter(std::string strPath) {
  return std::make_unique<CWriterAdapter<CAtomicFileWriter>>(std::move(strPath));
}

// The Linux writer with unnamed temporary files and with the named ones of
// file systems without O_TMPFILE, and the portable writer.
const WriterKind_t kWriterKinds[] = {
    {"LinuxUnnamed", &CAtomicFileWriter::SetUnnamedTemps, true, &MakeLinuxWriter,
     &CAtomicFileWriter::SetDeviceFactory, 0666 & ~kTestUmask},
    {"LinuxNamed", &CAtomicFileWriter::SetUnnamedTemps, false, &MakeLinuxWriter,
     &CAtomicFileWriter::SetDeviceFactory, 0666 & ~kTestUmask},
    PortableWriterKind()};

// Takes the kind's way of making temporary files, or (bOn false) the default.
void Select(const WriterKind_t& kind, bool bOn) {
  if (kind.setUnnamedTemps != nullptr) kind.setUnnamedTemps(bOn ? kind.bUnnamed : true);
}

// Every writer keeps to the same rules; each test runs under kTestUmask.
class AtomicFileWriters : public testing::TestWithParam<WriterKind_t> {
protected:
  void SetUp() override {
    m_nUmask = umask(kTestUmask);
    Select(GetParam(), true);
  }
  void TearDown() override {
    Select(GetParam(), false);
    GetParam().setDeviceFactory({});
    umask(m_nUmask);
  }
  static std::unique_ptr<CWriterUnderTest> Writer(const std::string& strPath) {
    return GetParam().make(strPath);
  }

private:
  mode_t m_nUmask = 0;
};

// A new file gets the permissions of an ordinary new file, a replaced one
// keeps its own; nothing else stays in the folder.
TEST_P(AtomicFileWriters, CreateAndReplaceWithTheRightPermissions) {
  CTestDataDir dir;
  dir.WriteBytes("old.dat", Bytes(5000, 1));
  ASSERT_EQ(chmod(dir.PathOf("old.dat").c_str(), 0604), 0);
  for (const auto& [strName, nMode] :
       {std::pair{"new.dat", GetParam().nNewFileMode}, {"old.dat", mode_t{0604}}}) {
    const auto pWriter = Writer(dir.PathOf(strName));
    ASSERT_TRUE(pWriter->Open() && pWriter->Commit(Bytes(12, 9))) << pWriter->Error();
    EXPECT_EQ(dir.ReadBytes(strName), Bytes(12, 9));
    struct stat info {};
    ASSERT_EQ(stat(dir.PathOf(strName).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, nMode) << strName;
  }
  EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"new.dat", "old.dat"}));
}

// A write the system refuses part-way (here the file size limit) gives the
// system's reason and keeps the old file.
TEST_P(AtomicFileWriters, SystemWriteErrorKeepsTheOldFile) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 4));
  EXPECT_TRUE(ChildSucceeds([&] {
    alarm(20);  // ends a writer that retries for ever
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    const auto pWriter = Writer(dir.PathOf("x.dat"));
    return setrlimit(RLIMIT_FSIZE, &limit) == 0 && pWriter->Open() &&
           !pWriter->Commit(Bytes(500, 1)) &&
           pWriter->Error() == "writing the new " + dir.PathOf("x.dat") +
                                   " failed: write failed (" + strerror(EFBIG) + ")";
  }));
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(10, 4));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
}

// A stale temporary file of a killed writer is removed; one a live writer
// holds is not, so that writer still commits.
TEST_P(AtomicFileWriters, OnlyTemporaryFilesOfWritersThatAreGoneAreRemoved) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat.tmpAbC123", Bytes(7, 0));  // left by a killed writer
  dir.WriteBytes("y.dat.tmpAbC123", Bytes(7, 0));  // another file's: not ours to remove
  const auto pFirst = Writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(pFirst->Open()) << pFirst->Error();
  const auto pSecond = Writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(pSecond->Open() && pSecond->Commit(Bytes(30, 3))) << pSecond->Error();
  ASSERT_TRUE(pFirst->Commit(Bytes(40, 4))) << pFirst->Error();
  EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"x.dat", "y.dat.tmpAbC123"}));
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(40, 4));
}

// A writer killed half-way keeps the old file; whatever it left behind is
// gone after the next write of the same file.
TEST_P(AtomicFileWriters, KilledWriterLeavesTheOldFileAndNothingThatStays) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 4));
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    GetParam().setDeviceFactory(
        [](int fd) { return std::make_unique<CFailingDevice>(fd, 100, false); });
    const auto pWriter = Writer(dir.PathOf("x.dat"));
    if (pWriter->Open()) pWriter->Commit(Bytes(500, 1));  // stops after 100 bytes
    raise(SIGKILL);
  }
  int nStatus = 0;
  ASSERT_EQ(waitpid(pid, &nStatus, 0), pid);
  ASSERT_TRUE(WIFSIGNALED(nStatus));
  EXPECT_EQ(dir.ReadBytes("x.dat"), Bytes(10, 4));
  const auto pWriter = Writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(pWriter->Open() && pWriter->Commit(Bytes(20, 2))) << pWriter->Error();
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"x.dat"});
}

// A flush that fails keeps the old file and leaves no temporary file.
TEST_P(AtomicFileWriters, FailedFlushKeepsTheOldFile) {
  CTestDataDir dir;
  dir.WriteBytes("Sword.dat", Bytes(1000, 5));
  GetParam().setDeviceFactory(
      [](int fd) { return std::make_unique<CFailingDevice>(fd, 300, true); });
  const auto pWriter = Writer(dir.PathOf("Sword.dat"));
  ASSERT_TRUE(pWriter->Open()) << pWriter->Error();
  EXPECT_FALSE(pWriter->Commit(Bytes(300, 6)));
  EXPECT_EQ(pWriter->Error(), "flushing the new " + dir.PathOf("Sword.dat") +
                                  " failed: no space left on the test device");
  EXPECT_EQ(dir.ReadBytes("Sword.dat"), Bytes(1000, 5));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"Sword.dat"});
}

// A target that is no regular file fails the open, so do a folder that is
// not there and one that takes no new file (the target itself may be
// written); a target turned into a folder meanwhile fails the rename; none
// leaves anything behind. Errors are in this machine's C library's words.
TEST_P(AtomicFileWriters, NoTemporaryFileOrNoRenameFails) {
  CTestDataDir dir;
  dir.WriteBytes("x.dat", Bytes(10, 4));
  MakeHostileFile(eHOSTILE::FIFO, dir.PathOf("fifo.dat"));
  const auto pFifo = Writer(dir.PathOf("fifo.dat"));
  EXPECT_FALSE(pFifo->Open());
  EXPECT_EQ(pFifo->Error(), dir.PathOf("fifo.dat") + " is not a regular file");
  EXPECT_FALSE(Writer(dir.PathOf("gone/x.dat"))->Open());
  EXPECT_FALSE(Writer(dir.PathOf("x.dat"))->Commit(Bytes(5, 1)));  // never opened
  ASSERT_EQ(chmod(dir.PathOf("x.dat").c_str(), 0666) | chmod(dir.Path().c_str(), 0555), 0);
  EXPECT_TRUE(ChildSucceeds([&] {
    const auto pWriter = Writer(dir.PathOf("x.dat"));
    // root writes anywhere: the check runs as the unprivileged user nobody
    return (geteuid() != 0 || seteuid(65534) == 0) && !pWriter->Open() &&
           pWriter->Error() == "cannot create a temporary file beside " + dir.PathOf("x.dat") +
                                   " (" + strerror(EACCES) + ")";
  }));
  ASSERT_EQ(chmod(dir.Path().c_str(), 0700), 0);
  const auto pWriter = Writer(dir.PathOf("x.dat"));
  ASSERT_TRUE(pWriter->Open()) << pWriter->Error();
  dir.Remove("x.dat");
  std::filesystem::create_directories(dir.PathOf("x.dat/inside"));
  EXPECT_FALSE(pWriter->Commit(Bytes(5, 1)));
  EXPECT_EQ(pWriter->Error(),
            "cannot replace " + dir.PathOf("x.dat") + " (" + strerror(EISDIR) + ")");
  EXPECT_EQ(FolderEntries(dir), (std::vector<std::string>{"fifo.dat", "x.dat"}));
}

INSTANTIATE_TEST_SUITE_P(Writers, AtomicFileWriters, testing::ValuesIn(kWriterKinds),
                         [](const auto& row) { return std::string(row.param.pszName); });

// A target that is a symbolic link stays one: the file it leads to is
// replaced, through any chain of links, and a dangling link gets its file;
// links that lead round in a circle fail and change nothing.
struct LinkRow_t {
  const char* szName;
  std::vector<std::pair<std::string, std::string>> arrLink;  // name, target; '@' absolute
  const char* szWritten;  // the file the bytes go to; null when the write fails
};

class AtomicFileWriterLinks : public testing::TestWithParam<std::tuple<WriterKind_t, LinkRow_t>> {};

TEST_P(AtomicFileWriterLinks, ReplaceTheFileTheLinkLeadsTo) {
  const auto& [kind, row] = GetParam();
  CTestDataDir dir;
  std::filesystem::create_directory(dir.PathOf("sync"));
  dir.WriteBytes("sync/x.dat", Bytes(10, 4));
  for (const auto& [strLink, strTarget] : row.arrLink) {
    const std::string strTo = strTarget[0] == '@' ? dir.PathOf(strTarget.substr(1)) : strTarget;
    ASSERT_EQ(symlink(strTo.c_str(), dir.PathOf(strLink).c_str()), 0);
  }
  Select(kind, true);
  const auto pWriter = kind.make(dir.PathOf("x.dat"));
  const bool bWritten = pWriter->Open() && pWriter->Commit(Bytes(20, 2));
  Select(kind, false);
  ASSERT_EQ(bWritten, row.szWritten != nullptr) << pWriter->Error();
  EXPECT_EQ(bWritten ? dir.ReadBytes(row.szWritten) : std::vector<uint8_t>(),
            bWritten ? Bytes(20, 2) : std::vector<uint8_t>());
  EXPECT_EQ(pWriter->Error(),
            bWritten ? "" : dir.PathOf("x.dat") + " leads through too many symbolic links");
  for (const auto& [strLink, strTarget] : row.arrLink) {
    EXPECT_TRUE(std::filesystem::is_symlink(dir.PathOf(strLink))) << strLink;
  }
  if (!bWritten || row.szWritten != std::string_view("sync/x.dat")) {
    EXPECT_EQ(dir.ReadBytes("sync/x.dat"), Bytes(10, 4));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Links, AtomicFileWriterLinks,
    testing::Combine(
        testing::ValuesIn(kWriterKinds),
        testing::Values(LinkRow_t{"Relative", {{"x.dat", "sync/x.dat"}}, "sync/x.dat"},
                        // Each relative link from its own folder.
                        LinkRow_t{"Chain",
                                  {{"x.dat", "sync/a.dat"},
                                   {"sync/a.dat", "@sync/b.dat"},
                                   {"sync/b.dat", "../sync/x.dat"}},
                                  "sync/x.dat"},
                        LinkRow_t{"Dangling", {{"x.dat", "sync/new.dat"}}, "sync/new.dat"},
                        LinkRow_t{"Circle", {{"x.dat", "y.dat"}, {"y.dat", "x.dat"}}, nullptr})),
    [](const auto& row) {
      return std::string(std::get<0>(row.param).pszName) + "_" + std::get<1>(row.param).szName;
    });

}  // namespace
