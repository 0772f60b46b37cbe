#include "LintCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "data/DataManager.h"
#include "data/SourceLinter.h"
#include "model/GameEnums.h"
#include "platform/BinaryFile.h"
#include "platform/ModuleDirectory.h"

namespace {

struct SourceFile_t {
  std::string strName;  // as given, or the bare name in the data folder
  std::string strBytes;
};

std::string FileNameOf(const std::string& strPath) {
  const size_t nSlash = strPath.rfind('/');
  return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

std::string PathOf(const std::string& strFile, const std::string& strDataDir) {
  return strFile.find('/') == std::string::npos ? strDataDir + strFile : strFile;
}

}  // namespace

void CLintCommand::Setup(CLI::App& command) {
  command.add_option("FILE", m_arrFile,
                     "Source files to check (default: Sword.ini ... HuntingHorn.ini and "
                     "Monster.ini, those in the data folder); a bare name is looked up in the "
                     "data folder");
}

int CLintCommand::Run(const ToolContext_t& context) {
  const CToolOutput& output = context.output;
  const std::vector<std::string> arrName = FilesToCheck(context.strDataDir);
  if (arrName.empty()) {
    return output.UsageError("lint: no source file in " + context.strDataDir);
  }

  // Every file is read before anything is printed, so that a wrong name
  // stops the command with nothing on stdout.
  std::vector<SourceFile_t> arrFile;
  for (const std::string& strName : arrName) {
    const std::string strPath = PathOf(strName, context.strDataDir);
    std::vector<uint8_t> arrBytes;
    velkar::ReadFailure_t failure;
    if (velkar::ReadWholeFile(strPath, arrBytes, failure) != velkar::eREAD_RESULT::Ok) {
      return output.UsageError(DescribeInEnglish(FromReadFailure(strPath, failure)));
    }
    arrFile.push_back({strName, std::string(arrBytes.begin(), arrBytes.end())});
  }

  bool bFound = false;
  for (const SourceFile_t& file : arrFile) {
    std::optional<eSOURCE_KIND> eKind = CSourceLinter::KindOfFileName(FileNameOf(file.strName));
    if (!eKind) {
      eKind = CSourceLinter::KindOfContent(file.strBytes);
      output.Warning(file.strName + ": the converters never read a file of this name; checked as " +
                     (*eKind == eSOURCE_KIND::MONSTER ? "the monster source" : "a weapon source"));
    }
    for (const LintFinding_t& finding : CSourceLinter::Lint(file.strBytes, *eKind)) {
      output.WriteLine(CSourceLinter::FormatFinding(file.strName, finding));
      bFound = true;
    }
  }
  return bFound ? kExitFailure : kExitOk;
}

std::vector<std::string> CLintCommand::FilesToCheck(const std::string& strDataDir) const {
  if (!m_arrFile.empty()) return m_arrFile;
  std::vector<std::string> arrName;
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    arrName.push_back(CDataManager::GetCategoryName(nCategory) + ".ini");
  }
  arrName.push_back(std::string(kMonsterFileStem) + ".ini");
  std::erase_if(arrName, [&strDataDir](const std::string& strName) {
    return !velkar::FileExists(strDataDir + strName);
  });
  return arrName;
}
