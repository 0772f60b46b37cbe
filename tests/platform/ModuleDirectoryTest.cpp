// The executable's folder and the existence test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/ModuleDirectory.h"
#include "support/TestDataDir.h"

namespace {

using velkar::FileExists;
using velkar::GetModuleDirectory;

TEST(ModuleDirectory, IsTheAbsoluteFolderOfThisProgram) {
  const std::string strDir = GetModuleDirectory();
  ASSERT_FALSE(strDir.empty());
  EXPECT_EQ(strDir.front(), '/');
  EXPECT_EQ(strDir.back(), '/');
  EXPECT_TRUE(std::filesystem::is_regular_file(strDir + "platform_tests"));
}

TEST(FileExists, FindsEveryKindOfEntry) {
  CTestDataDir dir;
  dir.WriteBytes("file.dat", std::string_view("x"));
  std::filesystem::create_directory(dir.PathOf("folder"));
  ASSERT_EQ(symlink(dir.PathOf("nowhere").c_str(), dir.PathOf("dangling").c_str()), 0);

  EXPECT_TRUE(FileExists(dir.PathOf("file.dat")));
  EXPECT_TRUE(FileExists(dir.PathOf("folder")));
  EXPECT_TRUE(FileExists(dir.PathOf("dangling")));
  EXPECT_FALSE(FileExists(dir.PathOf("nowhere")));
  EXPECT_FALSE(FileExists(dir.PathOf("file.dat/inside")));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
