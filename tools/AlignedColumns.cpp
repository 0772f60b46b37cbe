#include "AlignedColumns.h"

#include <algorithm>

std::string AlignColumns(const std::vector<std::vector<std::string>>& arrLine,
                         const std::vector<bool>& arrLeft) {
  std::vector<size_t> arrWidth;
  for (const std::vector<std::string>& line : arrLine) {
    if (arrWidth.size() < line.size()) arrWidth.resize(line.size(), 0);
    for (size_t i = 0; i < line.size(); ++i) arrWidth[i] = std::max(arrWidth[i], line[i].size());
  }
  std::string strText;
  for (const std::vector<std::string>& line : arrLine) {
    std::string strLine;
    for (size_t i = 0; i < line.size(); ++i) {
      const std::string strPad(arrWidth[i] - line[i].size(), ' ');
      const bool bLeft = i < arrLeft.size() && arrLeft[i];
      strLine += (i > 0 ? "  " : "") + (bLeft ? line[i] + strPad : strPad + line[i]);
    }
    while (!strLine.empty() && strLine.back() == ' ') strLine.pop_back();
    strText += strLine + '\n';
  }
  return strText;
}
