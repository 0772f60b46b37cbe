#include "calc/RowComparison.h"

#include "VelkarTexts.h"

std::optional<int64_t> RegionDifference_t::Delta() const {
  if (!nCurrent || !nBaseline) return std::nullopt;
  return static_cast<int64_t>(*nCurrent) - static_cast<int64_t>(*nBaseline);
}

std::vector<RegionDifference_t> CompareRows(const std::vector<ResultRow_t>& arrBaseline,
                                            const std::vector<ResultRow_t>& arrCurrent) {
  std::vector<bool> arrMatched(arrBaseline.size(), false);
  std::vector<RegionDifference_t> arrDifference;
  arrDifference.reserve(arrCurrent.size() + arrBaseline.size());
  for (const ResultRow_t& row : arrCurrent) {
    RegionDifference_t difference{row.arrCell[0], row.nDamage, std::nullopt};
    for (size_t i = 0; i < arrBaseline.size(); ++i) {
      if (!arrMatched[i] && arrBaseline[i].arrCell[0] == row.arrCell[0]) {
        arrMatched[i] = true;
        difference.nBaseline = arrBaseline[i].nDamage;
        break;
      }
    }
    arrDifference.push_back(std::move(difference));
  }
  for (size_t i = 0; i < arrBaseline.size(); ++i) {
    if (!arrMatched[i]) {
      arrDifference.push_back({arrBaseline[i].arrCell[0], std::nullopt, arrBaseline[i].nDamage});
    }
  }
  return arrDifference;
}

std::string FormatDifference(const std::optional<int64_t>& nDelta) {
  if (!nDelta) return std::string(txt::kDifferenceMissing);
  if (*nDelta == 0) return std::string(txt::kDifferenceZero);
  return (*nDelta > 0 ? "+" : "") + std::to_string(*nDelta);
}
