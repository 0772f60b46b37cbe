#include "DumpCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "ToolOutput.h"
#include "data/DataManager.h"
#include "data/IniSourceWriter.h"
#include "data/MonsterDataFile.h"
#include "data/MonsterSourceDump.h"
#include "data/WeaponDataFile.h"
#include "data/WeaponSourceDump.h"
#include "model/GameEnums.h"
#include "platform/BinaryFile.h"
#include "platform/IniFile.h"

namespace {

constexpr int kMonsterFile = -1;
constexpr std::string_view kDataExtension = ".dat";

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string FileNameOf(const std::string& strPath) {
  const size_t nSlash = strPath.rfind('/');
  return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

void WriteSource(const WeaponFileContents_t& contents, CIniSourceWriter& writer) {
  WriteWeaponSource(contents, writer);
}
void WriteSource(const MonsterFileContents_t& contents, CIniSourceWriter& writer) {
  WriteMonsterSource(contents, writer);
}
std::string FirstDifference(const WeaponFileContents_t& a, const WeaponFileContents_t& b) {
  return FirstWeaponDifference(a, b);
}
std::string FirstDifference(const MonsterFileContents_t& a, const MonsterFileContents_t& b) {
  return FirstMonsterDifference(a, b);
}

// The offset of the first byte in which two byte strings differ.
size_t FirstDifferentByte(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  return static_cast<size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first -
                             a.begin());
}

}  // namespace

void CDumpCommand::Setup(CLI::App& command) {
  command
      .add_option("FILE", m_strFile,
                  "Monster.dat or a category's data file (Sword.dat ... HuntingHorn.dat); a bare "
                  "name is looked up in the data folder")
      ->required();
}

int CDumpCommand::Run(const ToolContext_t& context) {
  const std::string strFileName = FileNameOf(m_strFile);
  const std::optional<int> nKind = KindOfFile(strFileName);
  if (!nKind) {
    std::string strNames;
    for (const std::string_view stem : DataFileStems()) {
      strNames += (strNames.empty() ? "" : ", ") + std::string(stem) + ".dat";
    }
    return context.output.UsageError(
        "dump: " + m_strFile + " is not a data file name; it must be " + "one of " + strNames);
  }
  const std::string strPath =
      m_strFile.find('/') == std::string::npos ? context.strDataDir + m_strFile : m_strFile;

  std::vector<uint8_t> arrBytes;
  velkar::ReadFailure_t failure;
  if (velkar::ReadWholeFile(strPath, arrBytes, failure) != velkar::eREAD_RESULT::Ok) {
    context.output.Error(DescribeInEnglish(FromReadFailure(strPath, failure)));
    return kExitFailure;
  }
  if (*nKind == kMonsterFile) {
    return Dump<CMonsterDataFile, MonsterFileContents_t>(context, strPath, arrBytes);
  }
  return Dump<CWeaponDataFile, WeaponFileContents_t>(context, strPath, arrBytes);
}

std::optional<int> CDumpCommand::KindOfFile(const std::string& strFileName) {
  if (strFileName.size() <= kDataExtension.size() ||
      !EqualsIgnoringCase(strFileName.substr(strFileName.size() - kDataExtension.size()),
                          kDataExtension)) {
    return std::nullopt;
  }
  const std::string strStem = strFileName.substr(0, strFileName.size() - kDataExtension.size());
  if (EqualsIgnoringCase(strStem, kMonsterFileStem)) return kMonsterFile;
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    if (EqualsIgnoringCase(strStem, CDataManager::GetCategoryName(nCategory))) return nCategory;
  }
  return std::nullopt;
}

template <typename DataFile, typename Contents>
int CDumpCommand::Dump(const ToolContext_t& context, const std::string& strPath,
                       const std::vector<uint8_t>& arrBytes) {
  const CToolOutput& output = context.output;
  Contents contents;
  std::optional<DataFileError_t> error = DataFile::Decode(arrBytes, contents);

  CIniSourceWriter writer(output.IsRawSjis() ? eSOURCE_ENCODING::SHIFT_JIS
                                             : eSOURCE_ENCODING::UTF8);
  WriteSource(contents, writer);
  output.Write(writer.Text());

  std::vector<std::string> arrWarning;
  if (error) {
    error->strPath = strPath;
    arrWarning.push_back(DescribeInEnglish(*error) + "; the records before it are printed");
  } else if (const std::vector<uint8_t> arrCanonical = DataFile::Encode(contents);
             arrCanonical != arrBytes) {
    // Same records, other bytes: the converter always ends names with CR LF
    // and writes nothing after the last list.
    arrWarning.push_back(strPath + ": from byte " +
                         std::to_string(FirstDifferentByte(arrBytes, arrCanonical)) +
                         " the file differs from what the converter writes for its records (a "
                         "name not ended by CR LF, or bytes after the last list)");
  }
  for (const std::string& strWarning : writer.Warnings()) {
    arrWarning.push_back(strPath + ": " + strWarning);
  }

  // The whole source, read back as the converter reads it, catches what the
  // entries alone cannot show: sections that stand in for one another.
  if (writer.Warnings().empty()) {
    const std::optional<std::string> saved = output.SavedAsSjis(writer.Text());
    if (!saved) {
      arrWarning.push_back(strPath + ": the printed text cannot be saved in Shift-JIS");
    } else {
      const CIniFile ini = CIniFile::Parse(*saved);
      std::vector<SkippedEntry_t> arrSkipped;
      const Contents readBack =
          DataFile::ReadSource([&ini](std::string_view section,
                                      std::string_view key) { return ini.GetString(section, key); },
                               arrSkipped);
      const std::string strDifference = FirstDifference(contents, readBack);
      if (!strDifference.empty()) {
        arrWarning.push_back(strPath + ": the printed source does not convert back " +
                             "to the same records: " + strDifference);
      }
    }
  }
  output.Warnings(arrWarning);
  return arrWarning.empty() ? kExitOk : kExitFailure;
}
