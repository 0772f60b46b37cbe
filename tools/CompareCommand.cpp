#include "CompareCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "ToolOutput.h"
#include "calc/RowComparison.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"

namespace {

using ordered_json = nlohmann::ordered_json;

std::string Cell(const std::optional<int64_t>& nValue) {
  return nValue ? std::to_string(*nValue) : FormatDifference(std::nullopt);
}

ordered_json Number(const std::optional<int64_t>& nValue) {
  return nValue ? ordered_json(*nValue) : ordered_json(nullptr);
}

// Pads a Shift-JIS cell to a width in bytes, which is its width on a
// terminal in Shift-JIS and UTF-8 alike.
std::string Padded(const std::string& strCell, size_t nWidth, bool bRight) {
  const std::string strPad(nWidth > strCell.size() ? nWidth - strCell.size() : 0, ' ');
  return bRight ? strPad + strCell : strCell + strPad;
}

}  // namespace

void CCompareCommand::Setup(CLI::App& command) {
  command
      .add_option("--build", m_arrBuild,
                  "A saved build (UTF-8 name); give exactly two: A, then B. The other options "
                  "replace that part of both builds")
      ->required()
      ->expected(2);
  m_options.AddSelectionOptions(command,
                                "Sharpness 0 to 5 for both builds (default: each build's own)");
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CCompareCommand::Run(const ToolContext_t& context) {
  std::array<Side_t, 2> arrSide;
  for (size_t i = 0; i < arrSide.size(); ++i) {
    const Problem_t problem = Compute(m_arrBuild[i], arrSide[i]);
    if (!problem.strUsage.empty()) return m_options.Refuse(context.output, problem.strUsage);
    if (!problem.strFailure.empty()) {
      context.output.Error(problem.strFailure);
      return kExitFailure;
    }
  }
  context.output.Warnings(m_arrWarning);
  if (m_bJson) {
    ordered_json document = CompareJson(arrSide);
    document["warnings"] = CToolOutput::WarningsJson(m_arrWarning);
    context.output.WriteUtf8(document.dump(2) + "\n");
  } else {
    context.output.Write(TableText(arrSide));
  }
  return kExitOk;
}

CCompareCommand::Problem_t CCompareCommand::Compute(const std::string& strBuild, Side_t& side) {
  // Loading appends to the store: each build starts on an empty one, and
  // keeps only texts and numbers of its calculation.
  CDataManager::GetInstance().Clear();
  CCalculator calculator;
  std::string strUsage = m_options.UseBuild(strBuild);
  if (!strUsage.empty()) return {strUsage, {}};
  strUsage = m_options.LoadCategory(calculator);
  if (strUsage.empty()) strUsage = m_options.ApplyWeapon(calculator);
  if (strUsage.empty()) {
    m_options.ApplySharpness(calculator);
    strUsage = m_options.ApplySelections(calculator);
  }
  std::vector<size_t> arrReplaced;
  side.strBuild = velkar::Utf8ToSjisReplacing(strBuild, arrReplaced);
  if (!strUsage.empty()) return {"build " + side.strBuild + ": " + strUsage, {}};
  if (const auto strMissing = CCalculationOptions::MissingTarget(calculator)) {
    return {
        {},
        "no comparison: build " + side.strBuild + ": there is no " + *strMissing + " to select"};
  }
  const std::vector<std::string> arrWarning = m_options.Warnings();
  m_arrWarning.insert(m_arrWarning.end(), arrWarning.begin(), arrWarning.end());
  side.strWeapon = calculator.GetSelectedWeapon()->GetName();
  side.strMonster = calculator.GetSelectedMonster()->GetName();
  side.arrRow = calculator.GetResultRows();
  for (const ResultRow_t& row : side.arrRow) side.nTotal += row.nDamage;
  return {};
}

std::string CCompareCommand::TableText(const std::array<Side_t, 2>& arrSide) {
  std::string strText;
  for (size_t i = 0; i < arrSide.size(); ++i) {
    strText += std::string(i == 0 ? "A: " : "B: ") + arrSide[i].strBuild + "  (" +
               arrSide[i].strWeapon + ", " + arrSide[i].strMonster + ")\n";
  }
  std::vector<std::array<std::string, 4>> arrLine{{"region", "A", "B", "B-A"}};
  for (const RegionDifference_t& region : CompareRows(arrSide[0].arrRow, arrSide[1].arrRow)) {
    arrLine.push_back({region.strRegion, Cell(region.nBaseline), Cell(region.nCurrent),
                       FormatDifference(region.Delta())});
  }
  arrLine.push_back({"total", std::to_string(arrSide[0].nTotal), std::to_string(arrSide[1].nTotal),
                     FormatDifference(arrSide[1].nTotal - arrSide[0].nTotal)});

  std::array<size_t, 4> arrWidth{};
  for (const auto& line : arrLine) {
    for (size_t i = 0; i < line.size(); ++i) arrWidth[i] = std::max(arrWidth[i], line[i].size());
  }
  for (const auto& line : arrLine) {
    std::string strLine;
    for (size_t i = 0; i < line.size(); ++i) {
      strLine += (i > 0 ? "  " : "") + Padded(line[i], arrWidth[i], i != 0);
    }
    while (!strLine.empty() && strLine.back() == ' ') strLine.pop_back();
    strText += strLine + "\n";
  }
  return strText;
}

ordered_json CCompareCommand::CompareJson(const std::array<Side_t, 2>& arrSide) {
  ordered_json document;
  for (size_t i = 0; i < arrSide.size(); ++i) {
    const Side_t& side = arrSide[i];
    ordered_json rows = ordered_json::array();
    for (const ResultRow_t& row : side.arrRow) {
      rows.push_back({{"region", velkar::SjisToUtf8(row.arrCell[0])}, {"damage", row.nDamage}});
    }
    document[i == 0 ? "a" : "b"] = {{"build", velkar::SjisToUtf8(side.strBuild)},
                                    {"weapon", velkar::SjisToUtf8(side.strWeapon)},
                                    {"monster", velkar::SjisToUtf8(side.strMonster)},
                                    {"total", side.nTotal},
                                    {"rows", std::move(rows)}};
  }
  ordered_json regions = ordered_json::array();
  for (const RegionDifference_t& region : CompareRows(arrSide[0].arrRow, arrSide[1].arrRow)) {
    regions.push_back({{"region", velkar::SjisToUtf8(region.strRegion)},
                       {"a", Number(region.nBaseline)},
                       {"b", Number(region.nCurrent)},
                       {"difference", Number(region.Delta())}});
  }
  document["regions"] = std::move(regions);
  document["total_difference"] = arrSide[1].nTotal - arrSide[0].nTotal;
  return document;
}
