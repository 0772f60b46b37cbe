#include "data/ConvertReport.h"

#include "VelkarTexts.h"
#include "platform/Cp932.h"

std::string DescribeConversionInJapanese(std::string_view strFirst,
                                         const std::vector<ConvertReport_t>& arrReport,
                                         bool bMonsters) {
  std::string strText(strFirst);
  for (const ConvertReport_t& report : arrReport) {
    // The data file by its name, the last part of its (UTF-8) path.
    std::vector<size_t> arrReplaced;
    const std::string strFile = velkar::Utf8ToSjisReplacing(
        report.strTarget.substr(report.strTarget.rfind('/') + 1), arrReplaced);
    if (report.failure) {
      strText += "\n" + DescribeInJapanese(*report.failure) + "\n" +
                 Numbered(txt::kConvertLeftAsItWas, {strFile});
    } else {
      strText +=
          "\n" + Numbered(bMonsters ? txt::kConvertedMonsterFile : txt::kConvertedWeaponFile,
                          {strFile, std::to_string(report.nCount[0]),
                           std::to_string(report.nCount[1]), std::to_string(report.nCount[2])});
    }
  }
  return strText;
}
