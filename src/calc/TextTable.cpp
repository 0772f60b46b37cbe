#include "calc/TextTable.h"

#include <algorithm>

std::string FormatTextTable(const std::vector<TextTableLine_t>& arrLine,
                            const std::vector<bool>& arrRightAligned) {
  std::vector<size_t> arrWidth(arrRightAligned.size(), 0);
  for (const TextTableLine_t& line : arrLine) {
    for (size_t i = 0; i < line.size() && i < arrWidth.size(); ++i) {
      arrWidth[i] = std::max(arrWidth[i], line[i].size());
    }
  }
  std::string strText;
  for (const TextTableLine_t& line : arrLine) {
    for (size_t i = 0; i < arrWidth.size(); ++i) {
      const std::string& strCell = i < line.size() ? line[i] : std::string();
      const std::string strPad(arrWidth[i] - strCell.size(), ' ');
      if (i > 0) strText += "  ";
      strText += arrRightAligned[i] ? strPad + strCell : strCell + strPad;
    }
    while (!strText.empty() && strText.back() == ' ') strText.pop_back();
    strText += '\n';
  }
  return strText;
}
