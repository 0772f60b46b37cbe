// velkar-tool --help and COMMAND --help: every command and option carries a
// description, and the manual page tools/velkar-tool.1 documents every
// command and every option that the help prints. When groff is installed
// the page must also format without a single warning.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/ToolRunner.h"

namespace {

// The column at which CLI11 starts a description; a longer name puts it on
// the next line, indented to this column.
constexpr size_t kDescriptionColumn = 30;

struct HelpEntry_t {
  std::string strName;  // "--category", "-h,--help", "SOURCES", "report"
  std::string strDescription;
};

// The entries of one section ("Options:", "Positionals:", "Subcommands:")
// of a help text.
std::vector<HelpEntry_t> Section(const std::string& strHelp, const std::string& strHeading) {
  const std::vector<std::string> arrLine = SplitLines(strHelp);
  std::vector<HelpEntry_t> arrEntry;
  size_t i = 0;
  while (i < arrLine.size() && arrLine[i] != strHeading) ++i;
  for (++i; i < arrLine.size() && !arrLine[i].empty(); ++i) {
    const std::string& strLine = arrLine[i];
    if (strLine.size() < 3 || strLine.rfind("  ", 0) != 0 || strLine[2] == ' ') {
      ADD_FAILURE() << "unexpected line in " << strHeading << ": " << strLine;
      continue;
    }
    HelpEntry_t entry;
    entry.strName = strLine.substr(2, strLine.find(' ', 2) - 2);
    if (i + 1 < arrLine.size() &&
        arrLine[i + 1].rfind(std::string(kDescriptionColumn, ' '), 0) == 0) {
      entry.strDescription = arrLine[++i].substr(kDescriptionColumn);
    } else if (strLine.size() > kDescriptionColumn && strLine[kDescriptionColumn - 1] == ' ') {
      entry.strDescription = strLine.substr(kDescriptionColumn);
    }
    arrEntry.push_back(entry);
  }
  return arrEntry;
}

std::string ManPage() {
  std::ifstream in(VELKAR_MAN_PAGE, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + std::string(VELKAR_MAN_PAGE));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An option as the page writes it: every '-' escaped as "\-".
std::string InRoff(const std::string& strOption) {
  std::string strRoff;
  for (char c : strOption) strRoff += c == '-' ? std::string("\\-") : std::string(1, c);
  return strRoff;
}

// "-h,--help" -> "-h", "--help".
std::vector<std::string> Spellings(const std::string& strName) {
  std::vector<std::string> arrSpelling;
  size_t nStart = 0;
  for (size_t nComma; (nComma = strName.find(',', nStart)) != std::string::npos;
       nStart = nComma + 1) {
    arrSpelling.push_back(strName.substr(nStart, nComma - nStart));
  }
  arrSpelling.push_back(strName.substr(nStart));
  return arrSpelling;
}

std::vector<std::string> Commands() {
  const ToolResult_t result = RunTool({"--help"});
  std::vector<std::string> arrCommand;
  for (const HelpEntry_t& entry : Section(result.strOut, "Subcommands:"))
    arrCommand.push_back(entry.strName);
  return arrCommand;
}

// Every option and positional of a help text has a description and appears
// in the page.
void ExpectDocumented(const std::string& strHelp, const std::string& strPage) {
  for (const char* pszSection : {"Options:", "Positionals:"}) {
    for (const HelpEntry_t& entry : Section(strHelp, pszSection)) {
      SCOPED_TRACE(entry.strName);
      EXPECT_FALSE(entry.strDescription.empty()) << "no description";
      for (const std::string& strSpelling : Spellings(entry.strName)) {
        EXPECT_NE(strPage.find(InRoff(strSpelling)), std::string::npos)
            << strSpelling << " is not in the manual page";
      }
    }
  }
}

TEST(HelpTest, ToolHelpListsEveryCommandWithASummary) {
  const ToolResult_t result = RunTool({"--help"});
  EXPECT_EQ(result.nExit, 0);
  EXPECT_EQ(result.strErr, "");
  const std::vector<HelpEntry_t> arrCommand = Section(result.strOut, "Subcommands:");
  std::vector<std::string> arrName;
  for (const HelpEntry_t& entry : arrCommand) {
    arrName.push_back(entry.strName);
    EXPECT_FALSE(entry.strDescription.empty()) << entry.strName;
  }
  for (const char* pszCommand : {"convert", "dump", "list", "rank", "report"}) {
    EXPECT_NE(std::find(arrName.begin(), arrName.end(), pszCommand), arrName.end()) << pszCommand;
  }
  ExpectDocumented(result.strOut, ManPage());
}

TEST(HelpTest, EveryCommandDocumentsEveryOption) {
  const std::string strPage = ManPage();
  const std::vector<std::string> arrCommand = Commands();
  ASSERT_FALSE(arrCommand.empty());
  for (const std::string& strCommand : arrCommand) {
    SCOPED_TRACE(strCommand);
    const ToolResult_t result = RunTool({strCommand, "--help"});
    EXPECT_EQ(result.nExit, 0);
    EXPECT_EQ(result.strErr, "");
    EXPECT_NE(result.strOut.find("Usage: velkar-tool " + strCommand), std::string::npos);
    EXPECT_FALSE(Section(result.strOut, "Options:").empty());
    ExpectDocumented(result.strOut, strPage);
    EXPECT_NE(strPage.find(".SS " + strCommand), std::string::npos)
        << "the manual page has no section for " << strCommand;
  }
}

// The report's and rank's options, each with its own line of help.
TEST(HelpTest, CalculationOptionsAreListed) {
  for (const char* pszCommand : {"report", "rank"}) {
    const ToolResult_t result = RunTool({pszCommand, "--help"});
    std::vector<std::string> arrName;
    for (const HelpEntry_t& entry : Section(result.strOut, "Options:"))
      arrName.push_back(entry.strName);
    for (const char* pszOption : {"--category", "--sharpness", "--monster", "--level", "--hit",
                                  "--anger", "--modifier", "--motion", "--json"}) {
      EXPECT_NE(std::find(arrName.begin(), arrName.end(), pszOption), arrName.end())
          << pszCommand << " " << pszOption;
    }
  }
  const ToolResult_t rank = RunTool({"rank", "--help"});
  EXPECT_NE(rank.strOut.find("\n  --region TEXT"), std::string::npos) << rank.strOut;
  const ToolResult_t report = RunTool({"report", "--help"});
  EXPECT_NE(report.strOut.find("\n  --explain "), std::string::npos) << report.strOut;
}

TEST(HelpTest, ManualPageFormatsWithoutWarnings) {
  if (std::system("command -v groff >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "groff is not installed";
  }
  const std::string strCommand =
      std::string("groff -man -Tutf8 -ww -z '") + VELKAR_MAN_PAGE + "' 2>&1";
  std::FILE* pPipe = popen(strCommand.c_str(), "r");
  ASSERT_NE(pPipe, nullptr);
  std::string strOutput;
  char buffer[512];
  for (size_t nRead; (nRead = std::fread(buffer, 1, sizeof buffer, pPipe)) > 0;)
    strOutput.append(buffer, nRead);
  EXPECT_EQ(pclose(pPipe), 0);
  EXPECT_EQ(strOutput, "");
}

}  // namespace
