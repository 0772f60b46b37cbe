// CSetupStore on temporary folders: the tolerant read, files it does not
// understand left alone, changes that keep what this version does not know
// and act on the very entry chosen, the bounded lock, and the folder it picks.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "setup/JsonDocument.h"
#include "setup/SetupStore.h"
#include "support/HostileFiles.h"
#include "support/JsonTexts.h"
#include "support/RecordPrinters.h"
#include "support/RowName.h"
#include "support/ScopedEnv.h"
#include "support/TestDataDir.h"

namespace {

using velkar::ToSjis;

struct ReadRow_t {
  const char* szName;
  std::string strSetup;  // the "setup" member
  std::optional<Setup_t> expected;
};

Setup_t WeaponSetup(std::string strWeapon, std::vector<int> arrModifier) {
  Setup_t setup;
  setup.strWeapon = std::move(strWeapon);
  setup.nSharpness = 0;
  setup.arrModifier = std::move(arrModifier);
  return setup;
}

const ReadRow_t kReadRows[] = {
    {"SetupNotAnObject", "5", std::nullopt},
    {"WrongTypesCountAsMissing",
     R"({"category": "3", "weapon": "大剣", "motions": 7, "sharpness": 0, "anger": "yes",
         "modifiers": [1017, "1018", 1019, 4294968314], "future": 1})",
     WeaponSetup(ToSjis(u8"大剣"), {1019})},
    {"NameCodePage932CannotHold", R"({"weapon": "😀", "sharpness": 6})", Setup_t{}},
};

class ReadTest : public ::testing::TestWithParam<ReadRow_t> {};

TEST_P(ReadTest, LastSetupIsReadToleratingWhatItCan) {
  CTestDataDir dir;
  dir.WriteBytes("last-setup.json", R"({"format": "velkar-setup", "version": 1, "setup": )" +
                                        GetParam().strSetup + "}");
  const CSetupStore store(dir.Path());
  EXPECT_EQ(store.LoadLastSetup(), GetParam().expected);
  EXPECT_FALSE(store.GetProblem());
}

INSTANTIATE_TEST_SUITE_P(Files, ReadTest, ::testing::ValuesIn(kReadRows), RowName<ReadRow_t>);

// A file this version does not understand is not used, says why (also in
// the window's Japanese), and is never rewritten; reading it in little memory
// does not end the program.
// (A file of too many values is named by the builds tool's test.)
struct UnusableRow_t {
  const char* szName;
  const char* szFile;
  std::function<std::string()> content;
  eSETUP_FILE_PROBLEM eProblem;
  const char* szReason;       // what follows the path in the message
  const char8_t* szJapanese;  // the message for the window
  uint64_t nMemoryLimit = 0;  // read in a child with this much more address space
};

const UnusableRow_t kUnusableRows[] = {
    // Byte 27 is the text's end.
    {"NotJson", "builds.json", Text(R"({"format": "velkar-builds",)"), eSETUP_FILE_PROBLEM::NotJson,
     ": not valid JSON at byte 27", u8"builds.json：JSON として読めません（27 バイト目）"},
    {"NestedTooDeep", "builds.json",
     [] { return R"({"format": "velkar-builds", "version": 1, "x": )" + Nested(64) + "}"; },
     eSETUP_FILE_PROBLEM::TooDeep, ": nested deeper than 64 levels",
     u8"builds.json：入れ子が深すぎます（64 段まで）"},
    {"TextTooLong", "last-setup.json",
     [] { return "\"" + std::string(CJsonDocument::kMaxTextBytes + 1, 'a') + "\""; },
     eSETUP_FILE_PROBLEM::TextTooLong, ": holds a text longer than 1048576 bytes",
     u8"last-setup.json：長すぎる文字列があります（1048576 バイトまで）"},
    // Half a million texts: the reader runs out of memory part-way, and the
    // partial tree must be taken apart without allocating again.
    {"TextsBeyondLittleMemory", "builds.json",
     [] { return ArrayOf(500'000, "\"abcdefghijklmnopqrst\""); }, eSETUP_FILE_PROBLEM::NoMemory,
     ": not enough memory to read it", u8"builds.json：読み込むためのメモリが足りません", 24 << 20},
    {"OtherFormat", "builds.json",
     Text(R"({"format": "velkar-setup", "version": 1, "builds": []})"),
     eSETUP_FILE_PROBLEM::WrongFormat, ": not a file of Velkar's settings",
     u8"builds.json：Velkar の設定のファイルではありません"},
    {"NewerVersion", "last-setup.json",
     Text(R"({"format": "velkar-setup", "version": 2, "setup": {}})"),
     eSETUP_FILE_PROBLEM::UnknownVersion, ": a version of the file this program does not know",
     u8"last-setup.json：この Velkar が知らない版の形式です"},
    // 2^64 - 1 read as a signed number would be -1, an old version.
    {"VersionBeyondSixtyFourBits", "builds.json",
     Text(R"({"format": "velkar-builds", "version": 18446744073709551615, "builds": []})"),
     eSETUP_FILE_PROBLEM::UnknownVersion, ": a version of the file this program does not know",
     u8"builds.json：この Velkar が知らない版の形式です"},
    {"BuildsNotAnArray", "builds.json",
     Text(R"({"format": "velkar-builds", "version": 1, "builds": {"keep": {"name": "keep"}}})"),
     eSETUP_FILE_PROBLEM::NotUnderstood, ": holds its builds in a form this version does not know",
     u8"builds.json：この Velkar が知らない形でビルドが書かれています"},
    {"EntryNotAnObject", "builds.json",
     Text(R"({"format": "velkar-builds", "version": 1, "builds": ["keep"]})"),
     eSETUP_FILE_PROBLEM::NotUnderstood, ": holds its builds in a form this version does not know",
     u8"builds.json：この Velkar が知らない形でビルドが書かれています"},
};

class UnusableFileTest : public ::testing::TestWithParam<UnusableRow_t> {};

TEST_P(UnusableFileTest, IsNamedNotUsedAndNeverRewritten) {
  const UnusableRow_t& row = GetParam();
  const bool bBuilds = row.szFile == std::string("builds.json");
  CTestDataDir dir;
  const std::string strContent = row.content();
  dir.WriteBytes(row.szFile, strContent);
  const std::string strReason = dir.PathOf(row.szFile) + row.szReason;
  if (row.nMemoryLimit != 0 && kSanitized) {
    GTEST_SKIP() << "a sanitizer's shadow memory needs the address space";
  }
  // With little memory this runs in a child, which prints its failures and
  // answers by its exit status whether there were any.
  const auto useAndChange = [&] {
    CSetupStore store(dir.Path());
    EXPECT_TRUE(bBuilds ? store.LoadBuilds().empty() : !store.LoadLastSetup());
    EXPECT_TRUE(store.GetProblem());
    const SetupFileProblem_t problem = store.GetProblem().value_or(SetupFileProblem_t{});
    EXPECT_EQ(problem.eKind, row.eProblem);
    EXPECT_EQ(DescribeInEnglish(problem), strReason);
    EXPECT_EQ(velkar::SjisToUtf8(DescribeInJapanese(problem)),
              reinterpret_cast<const char*>(row.szJapanese));
    EXPECT_FALSE(bBuilds ? store.SaveBuild({"A", {}}) == eSTORE_RESULT::Ok
                         : store.SaveLastSetup({}));
    EXPECT_EQ(store.Error(), strReason + "; it is left as it is");
    return !::testing::Test::HasFailure();
  };
  EXPECT_TRUE(row.nMemoryLimit == 0 ? useAndChange()
                                    : RunWithAddressSpaceLimit(row.nMemoryLimit, useAndChange));
  const std::vector<uint8_t> arrByte = dir.ReadBytes(row.szFile);
  EXPECT_EQ(std::string(arrByte.begin(), arrByte.end()), strContent);
}

INSTANTIATE_TEST_SUITE_P(Files, UnusableFileTest, ::testing::ValuesIn(kUnusableRows),
                         RowName<UnusableRow_t>);

TEST(SetupStoreTest, ChangesKeepMembersThisVersionDoesNotKnow) {
  CTestDataDir dir;
  dir.WriteBytes("builds.json", std::string_view(reinterpret_cast<const char*>(
                                    u8R"({"format": "velkar-builds", "version": 1, "owner": "狩人",
           "builds": [{"name": "甲", "setup": {"weapon": "大剣"}, "note": "残す"},
                      {"name": "乙", "setup": {}}, {"setup": {}}, {"name": "丙"}]})")));
  const Setup_t setup = WeaponSetup(ToSjis(u8"鉄刀【朧】"), {1019, 1033});
  CSetupStore store(dir.Path());
  const std::vector<ListedBuild_t> arrListed = store.LoadBuilds();
  ASSERT_EQ(arrListed.size(), 3U);
  EXPECT_EQ(store.RenameBuild(arrListed[0], ToSjis(u8"乙")), eSTORE_RESULT::NameTaken);
  ASSERT_EQ(store.RenameBuild(arrListed[0], ToSjis(u8"丁")), eSTORE_RESULT::Ok);
  ASSERT_EQ(store.DeleteBuild(arrListed[1]), eSTORE_RESULT::Ok);
  ASSERT_EQ(store.SaveBuild({ToSjis(u8"丙"), setup}), eSTORE_RESULT::Ok);

  const std::vector<uint8_t> arrByte = dir.ReadBytes("builds.json");
  const nlohmann::json document = nlohmann::json::parse(arrByte.begin(), arrByte.end());
  EXPECT_EQ(document["owner"], "狩人");
  ASSERT_EQ(document["builds"].size(), 3U);  // 丁, the nameless entry, 丙
  EXPECT_EQ(document["builds"][0]["note"], "残す");
  EXPECT_EQ(document["builds"][2]["setup"]["weapon"], "鉄刀【朧】");  // UTF-8 on disk
  std::vector<std::string> arrName;
  for (const ListedBuild_t& listed : store.LoadBuilds()) arrName.push_back(listed.build.strName);
  EXPECT_EQ(arrName, (std::vector<std::string>{ToSjis(u8"丁"), ToSjis(u8"丙")}));
  EXPECT_EQ(store.FindBuilds(ToSjis(u8"丙")).at(0).build.setup, setup);
}

// Two builds of one name (also two spellings of one Shift-JIS name): each
// action acts on the very entry chosen, and on nothing once the file changed.
TEST(SetupStoreTest, DuplicatedNamesAreToldApartByTheirEntry) {
  CTestDataDir dir;
  const std::string strFile = reinterpret_cast<const char*>(
      u8R"({"format": "velkar-builds", "version": 1, "builds": [
        {"name": "dup", "setup": {"weapon": "甲"}}, {"name": "波〜", "setup": {}},
        {"name": "dup", "setup": {"weapon": "乙"}}, {"name": "波～", "setup": {"weapon": "丙"}}]})");
  dir.WriteBytes("builds.json", strFile);
  CSetupStore store(dir.Path());
  const std::vector<ListedBuild_t> arrListed = store.LoadBuilds();
  ASSERT_EQ(arrListed.size(), 4U);
  EXPECT_EQ(store.FindBuilds(ToSjis(u8"波～")).size(), 2U);
  EXPECT_EQ(store.SaveBuild({"dup", {}}), eSTORE_RESULT::Duplicated);
  ASSERT_EQ(store.DeleteBuild(arrListed[2]), eSTORE_RESULT::Ok);
  ASSERT_EQ(store.RenameBuild(arrListed[3], "x"), eSTORE_RESULT::Ok);
  // The list read before those changes no longer matches the file there.
  EXPECT_FALSE(store.IsUnchanged(arrListed[3]));
  EXPECT_EQ(store.DeleteBuild(arrListed[3]), eSTORE_RESULT::Changed);
  EXPECT_EQ(store.RenameBuild(arrListed[2], "y"), eSTORE_RESULT::Changed);
}

// An import in one change: taken names (0x879A is the second spelling of ∵,
// 0x81E6) are numbered past the numbers taken, or refused with nothing
// added; so is a build without a name, which the reader would skip. A file
// the reader would refuse once changed is not written.
struct ImportRow_t {
  const char* szName;
  eTAKEN_NAME eTaken;
  std::vector<std::string> arrAdded;  // names of builds of the weapon w
  BuildsImport_t expected;            // the saved are listed after "a", "∵" and "a (2)"
  size_t nPadding = 0;                // values of an unknown member of the file
};

// clang-format off
const ImportRow_t kImportRows[] = {
    {"TakenOrEmptyNamesNumbered", eTAKEN_NAME::Number, {"a", "b", "", "a", "\x87\x9A", ""},
     {{"a (3)", "b", ToSjis(u8"名前なし"), "a (4)", "\x81\xE6 (2)", ToSjis(u8"名前なし (2)")}, {}, {}}},
    {"TakenAndUnnamedRefused", eTAKEN_NAME::Refuse, {"b", "\x87\x9A", "", "b", "a (3)"},
     {{}, {"\x87\x9A", "b"}, {2}}},
    {"PastTheReadersValueLimit", eTAKEN_NAME::Number, {"b"}, {}, CJsonDocument::kMaxValues - 20},
};
// clang-format on

class ImportTest : public ::testing::TestWithParam<ImportRow_t> {};

TEST_P(ImportTest, AddsInOneChangeOrNothing) {
  const ImportRow_t& row = GetParam();
  CTestDataDir dir;
  dir.WriteBytes("builds.json", R"({"format": "velkar-builds", "version": 1, "pad": )" +
                                    ArrayOf(row.nPadding + 1, "0") +
                                    R"j(, "builds": [{"name": "a"}, {"name": "\u2235"},
                                    {"name": "a (2)"}]})j");
  std::vector<Build_t> arrAdded;
  for (const std::string& strName : row.arrAdded) arrAdded.push_back({strName, {}});
  CSetupStore store(dir.Path());
  BuildsImport_t result;
  EXPECT_EQ(store.AddBuilds(arrAdded, row.eTaken, result), row.nPadding != 0 ? eSTORE_RESULT::Failed
                                                           : row.expected.arrSaved.empty()
                                                               ? eSTORE_RESULT::NameTaken
                                                               : eSTORE_RESULT::Ok);
  EXPECT_EQ(result, row.expected);
  std::vector<std::string> arrExpected{"a", "\x81\xE6", "a (2)"}, arrListed;
  arrExpected.insert(arrExpected.end(), row.expected.arrSaved.begin(), row.expected.arrSaved.end());
  for (const ListedBuild_t& listed : store.LoadBuilds()) arrListed.push_back(listed.build.strName);
  EXPECT_EQ(arrListed, arrExpected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImportTest, ::testing::ValuesIn(kImportRows), RowName<ImportRow_t>);

// The window's place is used only within 100000 pixels each way, at least one
// pixel wide and high; a number outside drops the whole place, and a file
// without a place (one written before places were kept) has none.
TEST(SetupStoreTest, WindowPlaceWithinBoundsOrNone) {
  CTestDataDir dir;
  const auto Place = [&dir](const std::string& strWindow) {
    dir.WriteBytes("last-setup.json", R"({"format": "velkar-setup", "version": 1)" +
                                          (strWindow.empty() ? "" : ", \"window\": " + strWindow) +
                                          "}");
    return CSetupStore(dir.Path()).LoadLastPlacement();
  };
  EXPECT_EQ(Place(R"({"x": -100000, "y": 100000, "width": 1, "height": 100000})"),
            (WindowPlacement_t{-100000, 100000, 1, 100000}));
  EXPECT_EQ(Place(R"({"x": 100000, "y": -100000, "width": 100000, "height": 1})"),
            (WindowPlacement_t{100000, -100000, 100000, 1}));
  EXPECT_EQ(Place(R"({"x": 0, "y": -100001, "width": 1, "height": 1})"), std::nullopt);
  EXPECT_EQ(Place(R"({"x": 0, "y": 0, "width": 1, "height": 0})"), std::nullopt);
  EXPECT_EQ(Place(""), std::nullopt);
}

// A lock held elsewhere is waited for a little, then the save fails naming it;
// so does a write the system refuses (builds.json leads into no folder) and a
// folder that cannot be made.
TEST(SetupStoreTest, LockHeldElsewhereOrARefusedWriteFailsTheSave) {
  CTestDataDir dir;
  const int fd = open(dir.PathOf("builds.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  CSetupStore store(dir.Path());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(store.SaveBuild({"A", {}}), eSTORE_RESULT::Failed);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(1900));
  EXPECT_LT(waited, std::chrono::seconds(10));
  close(fd);
  EXPECT_EQ(store.Error(), "cannot lock " + dir.PathOf("builds.lock") +
                               " (another program has held it for 2 seconds)");
  EXPECT_FALSE(dir.Exists("builds.json"));
  ASSERT_EQ(symlink("/nonexistent/builds.json", dir.PathOf("builds.json").c_str()), 0);
  EXPECT_EQ(store.SaveBuild({"A", {}}), eSTORE_RESULT::Failed);
  EXPECT_EQ(store.Error(), "cannot create a temporary file beside /nonexistent/builds.json (" +
                               std::string(strerror(ENOENT)) + ")");
  CSetupStore inFile(dir.PathOf("builds.lock/velkar"));
  EXPECT_EQ(inFile.SaveBuild({"A", {}}), eSTORE_RESULT::Failed);
  EXPECT_EQ(inFile.Error(),
            "cannot create " + dir.PathOf("builds.lock/velkar/") + " (" + strerror(ENOTDIR) + ")");
}

// Two processes saving builds at once: the lock keeps every build of both.
TEST(SetupStoreTest, TwoProcessesSavingAtOnceLoseNoBuild) {
  constexpr int kEach = 25;
  CTestDataDir dir;
  const auto SaveAll = [&dir](const char* pszPrefix) {
    CSetupStore store(dir.Path());
    for (int i = 0; i < kEach; ++i) {
      if (store.SaveBuild({pszPrefix + std::to_string(i), {}}) != eSTORE_RESULT::Ok) return false;
    }
    return true;
  };
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) _exit(SaveAll("child") ? 0 : 1);
  const bool bParent = SaveAll("parent");
  int nStatus = 0;
  ASSERT_EQ(waitpid(pid, &nStatus, 0), pid);
  ASSERT_TRUE(bParent) << "the parent failed to save";
  ASSERT_EQ(nStatus, 0) << "the child failed to save";
  EXPECT_EQ(CSetupStore(dir.Path()).LoadBuilds().size(), 2U * kEach);
}

struct FolderRow_t {
  const char* szName;
  const char* pszConfig;  // XDG_CONFIG_HOME, or null for unset
  const char* pszHome;
  const char* pszExpected;
};

const FolderRow_t kFolderRows[] = {
    {"RelativeConfigHomeIsIgnored", "cfg", "/", "/.config/velkar/"},
    {"RelativeHomeGivesNone", nullptr, "home", ""},
    {"Neither", nullptr, "", ""},
};

class FolderTest : public ::testing::TestWithParam<FolderRow_t> {};

TEST_P(FolderTest, FolderFollowsTheEnvironment) {
  const CScopedEnv config("XDG_CONFIG_HOME", GetParam().pszConfig);
  const CScopedEnv home("HOME", GetParam().pszHome);
  EXPECT_EQ(CSetupStore::DefaultFolder(), GetParam().pszExpected);
  if (*GetParam().pszExpected == '\0') {  // nowhere to save: nothing is written anywhere
    EXPECT_EQ(CSetupStore().SaveBuild({"x", {}}), eSTORE_RESULT::Failed);
  }
}

INSTANTIATE_TEST_SUITE_P(Environments, FolderTest, ::testing::ValuesIn(kFolderRows),
                         RowName<FolderRow_t>);

}  // namespace
