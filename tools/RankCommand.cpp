#include "RankCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "model/Monster.h"
#include "platform/Cp932.h"

namespace {

using ordered_json = nlohmann::ordered_json;

constexpr const char* kColumnGap = "  ";

std::string Joined(const std::vector<std::string>& arrText) {
  std::string strText;
  for (const std::string& strPart : arrText) strText += (strText.empty() ? "" : ", ") + strPart;
  return strText;
}

// Pads a Shift-JIS cell to a width in bytes. A double-byte character is as
// wide on a terminal as its two bytes, in Shift-JIS and in UTF-8 alike.
std::string Padded(const std::string& strCell, size_t nWidth, bool bRight) {
  const std::string strPad(nWidth > strCell.size() ? nWidth - strCell.size() : 0, ' ');
  return bRight ? strPad + strCell : strCell + strPad;
}

}  // namespace

void CRankCommand::Setup(CLI::App& command) {
  m_options.AddCategoryOption(command);
  m_options.AddSelectionOptions(command,
                                "Sharpness 0 to 5 for every weapon (default: each weapon's own)");
  m_pRegion = command.add_option(
      "--region", m_strRegion,
      "Rank by the damage on the region of this name (UTF-8) instead of the total over all "
      "regions");
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CRankCommand::Run(const ToolContext_t& context) {
  CCalculator calculator;
  std::string strUsage = Drive(calculator);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);
  if (const auto strMissing = CCalculationOptions::MissingTarget(calculator)) {
    context.output.Error("no ranking: there is no " + *strMissing + " to select");
    return kExitFailure;
  }
  strUsage = FindRegion(calculator);
  if (!strUsage.empty()) return context.output.UsageError(strUsage);

  const std::vector<RankedWeapon_t> arrRanked = RankWeapons(
      calculator, m_nSortRegion,
      [this](CCalculator& weaponSelected) { m_options.ApplySharpness(weaponSelected); });
  const std::vector<std::string> arrRegion = RegionNames(calculator);
  const std::vector<std::string> arrWarning = m_options.Warnings();
  context.output.Warnings(arrWarning);
  if (m_bJson) {
    nlohmann::ordered_json document = RankJson(calculator, arrRegion, arrRanked);
    document["warnings"] = CToolOutput::WarningsJson(arrWarning);
    context.output.WriteUtf8(document.dump(2) + "\n");
  } else {
    context.output.Write(TableText(arrRegion, arrRanked));
  }
  return kExitOk;
}

std::string CRankCommand::Drive(CCalculator& calculator) {
  const std::string strUsage = m_options.LoadCategory(calculator);
  if (!strUsage.empty()) return strUsage;
  return m_options.ApplySelections(calculator);
}

std::string CRankCommand::FindRegion(const CCalculator& calculator) {
  if (!*m_pRegion) return {};
  const std::vector<std::string> arrRegion = RegionNames(calculator);
  const std::optional<std::string> strName = velkar::Utf8ToSjis(m_strRegion);
  const auto itFound =
      strName ? std::find(arrRegion.begin(), arrRegion.end(), *strName) : arrRegion.end();
  if (itFound != arrRegion.end()) {
    m_nSortRegion = static_cast<size_t>(itFound - arrRegion.begin());
    return {};
  }
  std::vector<size_t> arrReplaced;
  const std::string strMessage =
      "--region: " + velkar::Utf8ToSjisReplacing(m_strRegion, arrReplaced) +
      " is not a region of " + calculator.GetSelectedMonster()->GetName() + "; ";
  if (arrRegion.empty()) return strMessage + "it has no regions";
  return strMessage + "valid: " + Joined(arrRegion);
}

std::string CRankCommand::TableText(const std::vector<std::string>& arrRegion,
                                    const std::vector<RankedWeapon_t>& arrRanked) {
  std::vector<std::vector<std::string>> arrLine;
  std::vector<std::string> header{"rank", "weapon", "total"};
  header.insert(header.end(), arrRegion.begin(), arrRegion.end());
  const size_t nColumns = header.size();
  arrLine.push_back(std::move(header));
  for (const RankedWeapon_t& ranked : arrRanked) {
    std::vector<std::string> line{std::to_string(ranked.nRank), ranked.strName,
                                  std::to_string(ranked.nTotal)};
    for (int32_t nDamage : ranked.arrDamage) line.push_back(std::to_string(nDamage));
    arrLine.push_back(std::move(line));
  }

  std::vector<size_t> arrWidth(nColumns, 0);
  for (const std::vector<std::string>& line : arrLine) {
    for (size_t i = 0; i < line.size() && i < arrWidth.size(); ++i)
      arrWidth[i] = std::max(arrWidth[i], line[i].size());
  }
  std::string strText;
  for (const std::vector<std::string>& line : arrLine) {
    for (size_t i = 0; i < line.size() && i < arrWidth.size(); ++i) {
      if (i > 0) strText += kColumnGap;
      strText += Padded(line[i], arrWidth[i], i != 1);  // only the weapon's name is on the left
    }
    while (!strText.empty() && strText.back() == ' ') strText.pop_back();
    strText += '\n';
  }
  return strText;
}

ordered_json CRankCommand::RankJson(const CCalculator& calculator,
                                    const std::vector<std::string>& arrRegion,
                                    const std::vector<RankedWeapon_t>& arrRanked) const {
  ordered_json regions = ordered_json::array();
  for (const std::string& strRegion : arrRegion) regions.push_back(velkar::SjisToUtf8(strRegion));
  ordered_json ranking = ordered_json::array();
  for (const RankedWeapon_t& ranked : arrRanked) {
    ranking.push_back({{"rank", ranked.nRank},
                       {"index", ranked.nWeapon},
                       {"weapon", velkar::SjisToUtf8(ranked.strName)},
                       {"sharpness", ranked.nSharpness},
                       {"total", ranked.nTotal},
                       {"damage", ranked.arrDamage}});
  }
  ordered_json document;
  document["category"] = m_options.GetCategory();
  document["monster"] = velkar::SjisToUtf8(calculator.GetSelectedMonster()->GetName());
  document["region"] = m_nSortRegion ? regions[*m_nSortRegion] : ordered_json(nullptr);
  document["regions"] = std::move(regions);
  document["ranking"] = std::move(ranking);
  return document;
}
