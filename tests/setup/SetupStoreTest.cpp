// CSetupStore on temporary folders: the tolerant read, changes that keep what
// this version does not know, and the folder it picks.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "setup/SetupStore.h"
#include "support/RowName.h"
#include "support/ScopedEnv.h"
#include "support/TestDataDir.h"

namespace {

using velkar::ToSjis;

struct ReadRow_t {
  const char* szName;
  std::string strSetup;  // the "setup" member, or a whole file starting with '!'
  std::optional<Setup_t> expected;
  const char* szNote = nullptr;  // the note after "velkar: ignoring <path>", if any
};

Setup_t WeaponSetup(std::string strWeapon, std::vector<int> arrModifier) {
  Setup_t setup;
  setup.strWeapon = std::move(strWeapon);
  setup.nSharpness = 0;
  setup.arrModifier = std::move(arrModifier);
  return setup;
}

const ReadRow_t kReadRows[] = {
    {"NotJson", "!{\"format\": \"velkar-setup\", \"version\": 1, \"setup\": {", std::nullopt,
     " is not valid JSON"},
    {"AnotherFormat", "!{\"format\": \"velkar-builds\", \"version\": 1, \"setup\": {}}",
     std::nullopt, " is not a file of type \"velkar-setup\""},
    {"NewerVersion", "!{\"format\": \"velkar-setup\", \"version\": 2, \"setup\": {}}", std::nullopt,
     " has a version this program does not know"},
    {"SetupNotAnObject", "5", std::nullopt},
    {"WrongTypesCountAsMissing",
     R"({"category": "3", "weapon": "大剣", "motions": 7, "sharpness": 0, "anger": "yes",
         "modifiers": [1017, "1018", 1019, 4294968314], "future": 1})",
     WeaponSetup(ToSjis(u8"大剣"), {1019})},
    {"NameCodePage932CannotHold", R"({"weapon": "😀", "sharpness": 6})", Setup_t{}},
};

class ReadTest : public ::testing::TestWithParam<ReadRow_t> {};

TEST_P(ReadTest, LastSetupIsReadToleratingWhatItCan) {
  const std::string& strSetup = GetParam().strSetup;
  CTestDataDir dir;
  dir.WriteBytes("last-setup.json",
                 strSetup[0] == '!'
                     ? strSetup.substr(1)
                     : R"({"format": "velkar-setup", "version": 1, "setup": )" + strSetup + "}");
  std::ostringstream notes;
  EXPECT_EQ(CSetupStore(dir.Path(), &notes).LoadLastSetup(), GetParam().expected);
  // A file it cannot read as its own is named on the notes stream.
  const char* pszNote = GetParam().szNote;
  EXPECT_EQ(notes.str(), pszNote
                             ? "velkar: ignoring " + dir.PathOf("last-setup.json") + pszNote + "\n"
                             : std::string());
}

INSTANTIATE_TEST_SUITE_P(Files, ReadTest, ::testing::ValuesIn(kReadRows), RowName<ReadRow_t>);

TEST(SetupStoreTest, ChangesKeepMembersThisVersionDoesNotKnow) {
  CTestDataDir dir;
  dir.WriteBytes("builds.json", std::string_view(reinterpret_cast<const char*>(
                                    u8R"({"format": "velkar-builds", "version": 1, "owner": "狩人",
           "builds": [{"name": "甲", "setup": {"weapon": "大剣"}, "note": "残す"},
                      {"name": "乙", "setup": {}}, {"setup": {}}, {"name": "丙"}]})")));
  const Setup_t setup = WeaponSetup(ToSjis(u8"鉄刀【朧】"), {1019, 1033});
  CSetupStore store(dir.Path());
  EXPECT_EQ(store.RenameBuild(ToSjis(u8"甲"), ToSjis(u8"乙")), eSTORE_RESULT::NameTaken);
  EXPECT_EQ(store.RenameBuild(ToSjis(u8"無"), ToSjis(u8"丁")), eSTORE_RESULT::NotFound);
  EXPECT_EQ(store.DeleteBuild(ToSjis(u8"無")), eSTORE_RESULT::NotFound);
  ASSERT_EQ(store.RenameBuild(ToSjis(u8"甲"), ToSjis(u8"丁")), eSTORE_RESULT::Ok);
  ASSERT_EQ(store.DeleteBuild(ToSjis(u8"乙")), eSTORE_RESULT::Ok);
  ASSERT_EQ(store.SaveBuild({ToSjis(u8"丙"), setup}), eSTORE_RESULT::Ok);

  const std::vector<uint8_t> arrByte = dir.ReadBytes("builds.json");
  const nlohmann::json document = nlohmann::json::parse(arrByte.begin(), arrByte.end());
  EXPECT_EQ(document["owner"], "狩人");
  ASSERT_EQ(document["builds"].size(), 3U);  // 丁, the nameless entry, 丙
  EXPECT_EQ(document["builds"][0]["note"], "残す");
  EXPECT_EQ(document["builds"][2]["setup"]["weapon"], "鉄刀【朧】");  // UTF-8 on disk
  std::vector<std::string> arrName;
  for (const Build_t& build : store.LoadBuilds()) arrName.push_back(build.strName);
  EXPECT_EQ(arrName, (std::vector<std::string>{ToSjis(u8"丁"), ToSjis(u8"丙")}));
  EXPECT_EQ(store.FindBuild(ToSjis(u8"丙"))->setup, setup);
}

// A file that cannot be replaced fails the save; a builds file that is
// damaged, of another format or of a newer version is read as empty but never
// overwritten, so no build in it is lost.
TEST(SetupStoreTest, SaveThatCannotBeWrittenFails) {
  CTestDataDir dir;
  std::filesystem::create_directory(dir.PathOf("last-setup.json"));
  EXPECT_FALSE(CSetupStore(dir.Path()).SaveLastSetup({}));
  for (const auto& [strFile, strProblem] :
       {std::pair<std::string, std::string>{
            R"({"format": "velkar-builds", "version": 1, "builds": [)", " is not valid JSON"},
        {R"({"format": "velkar-setup", "version": 1, "builds": []})",
         " is not a file of type \"velkar-builds\""},
        {R"({"format": "velkar-builds", "version": 2, "builds": []})",
         " has a version this program does not know"}}) {
    dir.WriteBytes("builds.json", strFile);
    std::ostringstream notes;
    CSetupStore store(dir.Path(), &notes);
    EXPECT_TRUE(store.LoadBuilds().empty());
    EXPECT_EQ(store.SaveBuild({"A", {}}), eSTORE_RESULT::Failed);
    EXPECT_EQ(store.Error(), dir.PathOf("builds.json") + strProblem + "; it is left as it is");
    const std::vector<uint8_t> arrByte = dir.ReadBytes("builds.json");
    EXPECT_EQ(std::string(arrByte.begin(), arrByte.end()), strFile);
  }
}

// Two processes saving builds at once: the lock keeps every build of both.
// The child runs as a program started with its standard input closed, so its
// lock file takes descriptor 0 (a lock left open would stall both; the alarm
// ends the child then).
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
  if (pid == 0) {
    close(STDIN_FILENO);
    alarm(60);
    _exit(SaveAll("child") ? 0 : 1);
  }
  const bool bParent = SaveAll("parent");
  int nStatus = 0;
  ASSERT_EQ(waitpid(pid, &nStatus, 0), pid);
  ASSERT_TRUE(bParent && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
  EXPECT_EQ(CSetupStore(dir.Path()).LoadBuilds().size(), 2U * kEach);
}

struct FolderRow_t {
  const char* szName;
  const char* pszConfig;  // XDG_CONFIG_HOME, or null for unset
  const char* pszHome;
  const char* pszExpected;
};

const FolderRow_t kFolderRows[] = {
    {"ConfigHome", "/tmp/cfg", "/home/h", "/tmp/cfg/velkar/"},
    {"RelativeConfigHomeIsIgnored", "cfg", "/", "//.config/velkar/"},
    {"Neither", nullptr, "", ""},
};

class FolderTest : public ::testing::TestWithParam<FolderRow_t> {};

TEST_P(FolderTest, FolderFollowsTheEnvironment) {
  const CScopedEnv config("XDG_CONFIG_HOME", GetParam().pszConfig);
  const CScopedEnv home("HOME", GetParam().pszHome);
  EXPECT_EQ(CSetupStore::DefaultFolder(), GetParam().pszExpected);
}

INSTANTIATE_TEST_SUITE_P(Environments, FolderTest, ::testing::ValuesIn(kFolderRows),
                         RowName<FolderRow_t>);

}  // namespace
