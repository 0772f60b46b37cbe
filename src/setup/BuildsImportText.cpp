#include "setup/BuildsImportText.h"

#include "VelkarTexts.h"
#include "data/DataFileError.h"
#include "platform/Cp932.h"
#include "platform/TextEscape.h"

namespace {

// Renamed builds listed by name; the rest are counted.
constexpr size_t kListedRenames = 8;
// A longer name is shown by its start and its end (where a number was added).
constexpr size_t kShownNameBytes = 40;
constexpr size_t kShownStartBytes = 24;
constexpr size_t kShownEndBytes = 12;

// A name on one short line: controls escaped, the middle of a long one left out.
std::string Shown(const std::string& strName) {
  std::string strEscaped = velkar::EscapeSjisControls(strName);
  if (strEscaped.size() <= kShownNameBytes) return strEscaped;
  const size_t nEnd = velkar::SjisPrefixLength(strEscaped, strEscaped.size() - kShownEndBytes);
  return Numbered(txt::kBuildsImportShortened,
                  {strEscaped.substr(0, velkar::SjisPrefixLength(strEscaped, kShownStartBytes)),
                   strEscaped.substr(nEnd)});
}

}  // namespace

std::string DescribeImportInJapanese(const std::vector<Build_t>& arrAdded,
                                     const BuildsImport_t& result, bool bOtherData) {
  std::string strText = Numbered(txt::kBuildsImported, {std::to_string(result.arrSaved.size())});
  if (bOtherData) strText += "\n" + std::string(txt::kCodeOtherData);
  size_t nRenamed = 0;
  for (size_t i = 0; i < result.arrSaved.size() && i < arrAdded.size(); ++i) {
    const std::string& strGiven = arrAdded[i].strName;
    if (result.arrSaved[i] == velkar::CanonicalSjis(strGiven).value_or(strGiven)) continue;
    if (nRenamed++ == 0) strText += "\n" + std::string(txt::kBuildsImportRenamedHeading);
    if (nRenamed <= kListedRenames) {
      strText +=
          "\n" + Numbered(txt::kBuildsImportRenamed, {Shown(strGiven), Shown(result.arrSaved[i])});
    }
  }
  if (nRenamed > kListedRenames) {
    strText += "\n" + Numbered(txt::kBuildsImportMore, {std::to_string(nRenamed - kListedRenames)});
  }
  return strText;
}
