#include "ConvertCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "data/DataConversion.h"

namespace {

constexpr const char* kWeaponNouns[3] = {"motion", "hit pattern", "weapon"};
constexpr const char* kMonsterNouns[3] = {"monster", "region", "level"};

std::string FileNameOf(const std::string& strPath) {
  const size_t nSlash = strPath.rfind('/');
  return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

std::string Counted(uint32_t nCount, const char* pszNoun) {
  return std::to_string(nCount) + " " + pszNoun + (nCount == 1 ? "" : "s");
}

}  // namespace

void CConvertCommand::Setup(CLI::App& command) {
  command.add_option("SOURCES", m_strWhich, "weapons, monsters or all (default: all)")
      ->check(CLI::IsMember({"weapons", "monsters", "all"}));
}

int CConvertCommand::Run(const ToolContext_t& context) {
  bool bAllWritten = true;
  // Each category on its own: one whose source cannot be read, or whose data
  // file cannot be written, keeps its old data file and stops no other.
  if (m_strWhich != "monsters") {
    bAllWritten = PrintReports(context.output, ConvertWeaponSources(context.store), kWeaponNouns);
  }
  if (m_strWhich != "weapons") {
    bAllWritten =
        PrintReports(context.output, ConvertMonsterSource(context.store), kMonsterNouns) &&
        bAllWritten;
  }
  return bAllWritten ? kExitOk : kExitFailure;
}

bool CConvertCommand::PrintReports(const CToolOutput& output, const DataConversion_t& conversion,
                                   const char* const (&arrNoun)[3]) {
  for (const ConvertReport_t& report : conversion.arrReport) PrintReport(output, report, arrNoun);
  return conversion.bAllWritten;
}

void CConvertCommand::PrintReport(const CToolOutput& output, const ConvertReport_t& report,
                                  const char* const (&arrNoun)[3]) {
  const std::string strSource = FileNameOf(report.strSource);
  const std::string strTarget = FileNameOf(report.strTarget);
  if (!report.bWritten) {
    const bool bSourceFailed = report.failure && report.failure->strPath == report.strSource;
    output.Error(report.strError + (bSourceFailed ? "; " + strTarget + " is left as it was" : ""));
    return;
  }
  output.WriteLine(strSource + " -> " + strTarget + ": " + Counted(report.nCount[0], arrNoun[0]) +
                   ", " + Counted(report.nCount[1], arrNoun[1]) + ", " +
                   Counted(report.nCount[2], arrNoun[2]));
  for (const SkippedEntry_t& skipped : report.arrSkipped) {
    output.WriteLine(strSource + ": [" + skipped.strSection + "] " + skipped.strKey +
                     " skipped: " + skipped.strReason);
  }
}
