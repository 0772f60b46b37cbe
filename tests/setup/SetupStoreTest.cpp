// CSetupStore on temporary folders: the tolerant read, changes that keep what
// this version does not know, the folder it picks, and two processes saving
// builds at the same moment.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "setup/SetupStore.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"

namespace {

using velkar::ToSjis;

std::string Text(const std::vector<uint8_t>& arrByte) {
  return {arrByte.begin(), arrByte.end()};
}

Setup_t SampleSetup() {
  Setup_t setup;
  setup.nCategory = 3;
  setup.strWeapon = ToSjis(u8"鉄刀【朧】");
  setup.arrMotion = {ToSjis(u8"居合"), ToSjis(u8"突き"), ToSjis(u8"居合")};
  setup.nSharpness = 4;
  setup.strMonster = ToSjis(u8"ドラゴン");
  setup.strLevel = ToSjis(u8"上位");
  setup.strHitCorrection = ToSjis(u8"弱点");
  setup.bAnger = true;
  setup.arrModifier = {1019, 1033};
  return setup;
}

struct ReadRow_t {
  const char* szName;
  std::u8string_view content;
  std::optional<Setup_t> expected;
  bool bNote;  // a note on the notes stream
};

Setup_t WeaponOnly() {
  Setup_t setup;
  setup.strWeapon = ToSjis(u8"大剣");
  return setup;
}

const ReadRow_t kReadRows[] = {
    {"Missing", u8"", std::nullopt, false},
    {"NotJson", u8"{\"format\": \"velkar-setup\", \"version\": 1, \"setup\": {", std::nullopt,
     true},
    {"JsonArray", u8"[1, 2]", std::nullopt, true},
    {"OtherFormat", u8R"({"format": "other", "version": 1, "setup": {}})", std::nullopt, true},
    {"NewerVersion", u8R"({"format": "velkar-setup", "version": 2, "setup": {}})", std::nullopt,
     true},
    {"UnknownMembersIgnored",
     u8R"({"format": "velkar-setup", "version": 1, "colour": "red",
           "setup": {"weapon": "大剣", "future": [1, 2]}})",
     WeaponOnly(), false},
    {"WrongTypesCountAsMissing",
     u8R"({"format": "velkar-setup", "version": 1,
           "setup": {"category": "3", "weapon": "大剣", "motions": [7, "居合"], "sharpness": 9,
                     "monster": 5, "anger": "yes", "modifiers": [1017, "1018", 1019, 4294968314]}})",
     [] {
       Setup_t setup = WeaponOnly();
       setup.arrMotion = {ToSjis(u8"居合")};
       setup.arrModifier = {1019};
       return setup;
     }(),
     false},
    {"NameCodePage932CannotHold",
     u8R"({"format": "velkar-setup", "version": 1, "setup": {"weapon": "😀", "level": "上位"}})",
     [] {
       Setup_t setup;
       setup.strLevel = ToSjis(u8"上位");
       return setup;
     }(),
     false},
};

class ReadTest : public ::testing::TestWithParam<ReadRow_t> {};

TEST_P(ReadTest, LastSetupIsReadToleratingWhatItCan) {
  const ReadRow_t& row = GetParam();
  CTestDataDir dir;
  if (!row.content.empty()) {
    dir.WriteBytes(
        "last-setup.json",
        std::string_view(reinterpret_cast<const char*>(row.content.data()), row.content.size()));
  }
  std::ostringstream notes;
  const CSetupStore store(dir.Path(), &notes);
  EXPECT_EQ(store.LoadLastSetup(), row.expected);
  EXPECT_EQ(!notes.str().empty(), row.bNote) << notes.str();
  if (row.bNote) {
    EXPECT_NE(notes.str().find(dir.PathOf("last-setup.json")), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, ReadTest, ::testing::ValuesIn(kReadRows), RowName<ReadRow_t>);

TEST(SetupStoreTest, SavedSetupAndBuildsReadBackAsSaved) {
  CTestDataDir dir;
  CSetupStore store(dir.Path() + "velkar");  // a folder that does not exist yet
  ASSERT_TRUE(store.SaveLastSetup(SampleSetup())) << store.Error();
  EXPECT_EQ(store.LoadLastSetup(), SampleSetup());
  const Build_t build{ToSjis(u8"太刀 上位"), SampleSetup()};
  ASSERT_EQ(store.SaveBuild(build), eSTORE_RESULT::Ok);
  EXPECT_EQ(store.FindBuild(build.strName), build);
  // UTF-8 on disk, readable by anyone.
  const std::string strFile = Text(dir.ReadBytes("velkar/builds.json"));
  EXPECT_NE(strFile.find("\"鉄刀【朧】\""), std::string::npos) << strFile;
}

TEST(SetupStoreTest, ChangesKeepMembersThisVersionDoesNotKnow) {
  CTestDataDir dir;
  dir.WriteBytes("builds.json", std::string_view(reinterpret_cast<const char*>(
                                    u8R"({"format": "velkar-builds", "version": 1, "owner": "狩人",
           "builds": [{"name": "甲", "setup": {"weapon": "大剣"}, "note": "残す"},
                      {"name": "乙", "setup": {}}, {"setup": {}}, {"name": "丙"}]})")));
  CSetupStore store(dir.Path());
  EXPECT_EQ(store.RenameBuild(ToSjis(u8"甲"), ToSjis(u8"乙")), eSTORE_RESULT::NameTaken);
  EXPECT_EQ(store.RenameBuild(ToSjis(u8"無"), ToSjis(u8"丁")), eSTORE_RESULT::NotFound);
  EXPECT_EQ(store.DeleteBuild(ToSjis(u8"無")), eSTORE_RESULT::NotFound);
  ASSERT_EQ(store.RenameBuild(ToSjis(u8"甲"), ToSjis(u8"丁")), eSTORE_RESULT::Ok);
  ASSERT_EQ(store.DeleteBuild(ToSjis(u8"乙")), eSTORE_RESULT::Ok);
  ASSERT_EQ(store.SaveBuild({ToSjis(u8"丙"), SampleSetup()}), eSTORE_RESULT::Ok);

  const nlohmann::json document = nlohmann::json::parse(Text(dir.ReadBytes("builds.json")));
  EXPECT_EQ(document["owner"], "狩人");
  ASSERT_EQ(document["builds"].size(), 3U);  // 丁, the nameless entry, 丙
  EXPECT_EQ(document["builds"][0]["name"], "丁");
  EXPECT_EQ(document["builds"][0]["note"], "残す");
  std::vector<std::string> arrName;
  for (const Build_t& build : store.LoadBuilds()) arrName.push_back(build.strName);
  EXPECT_EQ(arrName, (std::vector<std::string>{ToSjis(u8"丁"), ToSjis(u8"丙")}));
  EXPECT_EQ(store.FindBuild(ToSjis(u8"丙"))->setup, SampleSetup());
}

TEST(SetupStoreTest, DamagedBuildsFileIsIgnoredAndNeverOverwritten) {
  CTestDataDir dir;
  const std::string strDamaged = R"({"format": "velkar-builds", "version": 1, "builds": [)";
  dir.WriteBytes("builds.json", strDamaged);
  std::ostringstream notes;
  CSetupStore store(dir.Path(), &notes);
  EXPECT_TRUE(store.LoadBuilds().empty());
  EXPECT_NE(notes.str().find("not valid JSON"), std::string::npos);
  EXPECT_EQ(store.SaveBuild({"A", SampleSetup()}), eSTORE_RESULT::Failed);
  EXPECT_NE(store.Error().find("builds.json"), std::string::npos) << store.Error();
  EXPECT_EQ(Text(dir.ReadBytes("builds.json")), strDamaged);
}

struct FolderRow_t {
  const char* szName;
  const char* pszConfig;  // XDG_CONFIG_HOME, or null for unset
  const char* pszHome;
  const char* pszExpected;
};

const FolderRow_t kFolderRows[] = {
    {"ConfigHome", "/tmp/cfg", "/home/h", "/tmp/cfg/velkar/"},
    {"RelativeConfigHomeIsIgnored", "cfg", "/home/h", "/home/h/.config/velkar/"},
    {"NoConfigHome", nullptr, "/home/h", "/home/h/.config/velkar/"},
    {"Neither", nullptr, nullptr, ""},
};

class FolderTest : public ::testing::TestWithParam<FolderRow_t> {};

void SetOrUnset(const char* pszName, const char* pszValue) {
  if (pszValue != nullptr) {
    setenv(pszName, pszValue, 1);
  } else {
    unsetenv(pszName);
  }
}

TEST_P(FolderTest, FolderFollowsTheEnvironment) {
  const FolderRow_t& row = GetParam();
  const std::string strConfig =
      std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  const std::string strHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  SetOrUnset("XDG_CONFIG_HOME", row.pszConfig);
  SetOrUnset("HOME", row.pszHome);
  const std::string strFolder = CSetupStore::DefaultFolder();
  SetOrUnset("XDG_CONFIG_HOME", strConfig.empty() ? nullptr : strConfig.c_str());
  SetOrUnset("HOME", strHome.empty() ? nullptr : strHome.c_str());
  EXPECT_EQ(strFolder, row.pszExpected);
}

INSTANTIATE_TEST_SUITE_P(Environments, FolderTest, ::testing::ValuesIn(kFolderRows),
                         RowName<FolderRow_t>);

// Each save reads, changes and atomically replaces the whole file: without
// the lock, two writers would overwrite each other's builds.
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
  ASSERT_TRUE(bParent);
  ASSERT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
  EXPECT_EQ(CSetupStore(dir.Path()).LoadBuilds().size(), 2U * kEach);
}

}  // namespace
