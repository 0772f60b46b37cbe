#include "setup/LoadoutComparison.h"

#include "VelkarTexts.h"
#include "calc/LoadoutEvaluation.h"
#include "calc/RowComparison.h"
#include "calc/TextFormat.h"
#include "calc/TextTable.h"
#include "data/DataFileError.h"
#include "data/DataManager.h"
#include "model/ModifierTable.h"

namespace {

const char* PartInEnglish(eSETUP_PART ePart) {
  switch (ePart) {
    case eSETUP_PART::Category: return "category";
    case eSETUP_PART::Weapon: return "weapon";
    case eSETUP_PART::Motion: return "motion";
    case eSETUP_PART::Monster: return "monster";
    case eSETUP_PART::Level: return "level";
    case eSETUP_PART::HitCorrection: return "hit correction";
  }
  return "part";
}

// "A" to "F" (and on past F, should there ever be more).
std::string Letter(size_t nLoadout) {
  return std::string(1, static_cast<char>('A' + nLoadout));
}

std::string Cell(const std::optional<int64_t>& nValue) {
  return nValue ? std::to_string(*nValue) : FormatDifference(std::nullopt);
}

}  // namespace

std::optional<int64_t> LoadoutComparison_t::Damage(size_t nLoadout, size_t nRow) const {
  if (nLoadout >= arrLoadout.size() || arrLoadout[nLoadout].problem) return std::nullopt;
  const ComparedLoadout_t& loadout = arrLoadout[nLoadout];
  if (nRow == arrRegion.size()) return loadout.nTotal;
  return nRow < loadout.arrDamage.size() ? std::optional<int64_t>(loadout.arrDamage[nRow])
                                         : std::nullopt;
}

std::optional<int64_t> LoadoutComparison_t::Difference(size_t nLoadout, size_t nRow) const {
  const std::optional<int64_t> nDamage = Damage(nLoadout, nRow);
  const std::optional<int64_t> nFirst = Damage(0, nRow);
  if (!nDamage || !nFirst) return std::nullopt;
  return *nDamage - *nFirst;
}

ComparedLoadout_t ComparedOf(const NamedLoadout_t& named, const ResolvedLoadout_t& resolved,
                             const std::vector<int32_t>& arrDamage) {
  ComparedLoadout_t compared;
  compared.strName = named.strName;
  compared.nCategory = named.loadout.nCategory;
  compared.problem = resolved.problem;
  compared.arrMiss = resolved.arrMiss;
  if (compared.problem) return compared;
  const LoadoutRecords_t& records = resolved.records;
  compared.strWeapon = records.pWeapon->GetName();
  compared.nSharpness = records.nSharpness;
  for (const CAction* pMotion : records.arrMotion) compared.arrMotion.push_back(pMotion->GetName());
  compared.arrModifier = TickedModifiers(records.nTicks);
  compared.arrDamage = arrDamage;
  for (const int32_t nDamage : arrDamage) compared.nTotal += nDamage;
  return compared;
}

LoadoutComparison_t CompareLoadouts(const CDataManager& store, const Target_t& target,
                                    const std::vector<NamedLoadout_t>& arrLoadout) {
  LoadoutComparison_t comparison;
  ResolvedTarget_t resolvedTarget = ResolveTarget(store, target);
  const TargetRecords_t& onTarget = resolvedTarget.records;
  comparison.arrTargetMiss = std::move(resolvedTarget.arrMiss);
  if (onTarget.pMonster) {
    comparison.strMonster = onTarget.pMonster->GetName();
    for (const CMonster::Regio_t& region : onTarget.pMonster->GetRegions()) {
      comparison.arrRegion.push_back(region.strName);
    }
  }
  if (onTarget.pLevel) comparison.strLevel = onTarget.pLevel->GetName();
  comparison.bAnger = onTarget.bAnger;
  comparison.arrLoadout.reserve(arrLoadout.size());
  std::vector<int32_t> arrDamage;
  for (const NamedLoadout_t& named : arrLoadout) {
    const ResolvedLoadout_t resolved = ResolveLoadout(store, named.loadout);
    if (!resolved.problem) EvaluateDamage(resolved.records, onTarget, arrDamage);
    comparison.arrLoadout.push_back(ComparedOf(named, resolved, arrDamage));
  }
  return comparison;
}

bool LoadoutComparison_t::IsBest(size_t nLoadout, size_t nRow) const {
  const std::optional<int64_t> nDamage = Damage(nLoadout, nRow);
  if (!nDamage) return false;
  bool bBelow = false;
  for (size_t i = 0; i < arrLoadout.size(); ++i) {
    const std::optional<int64_t> nOther = Damage(i, nRow);
    if (nOther && *nOther > *nDamage) return false;
    bBelow = bBelow || (nOther && *nOther < *nDamage);
  }
  return bBelow;
}

std::string LoadoutLabel(const ComparedLoadout_t& loadout) {
  if (loadout.problem) return loadout.strName;
  return FormatText(txt::kCompareLoadoutLabel,
                    {loadout.strWeapon, CDataManager::GetSharpnessName(loadout.nSharpness),
                     static_cast<int64_t>(loadout.arrMotion.size()),
                     static_cast<int64_t>(loadout.arrModifier.size())});
}

std::string LoadoutDetail(const ComparedLoadout_t& loadout) {
  std::string strText = loadout.strName;
  for (const std::string& strMotion : loadout.arrMotion) strText += "\n" + strMotion;
  for (const int nId : loadout.arrModifier) {
    strText += "\n" + std::string(FindModifier(nId)->strCaption);
  }
  return strText;
}

std::string LoadoutHeading(size_t nLoadout, const std::string& strLabel) {
  return Numbered(txt::kCompareColumn, {Letter(nLoadout), strLabel});
}

std::string ComparisonText(const LoadoutComparison_t& comparison) {
  std::string strText;
  for (size_t i = 0; i < comparison.arrLoadout.size(); ++i) {
    const ComparedLoadout_t& loadout = comparison.arrLoadout[i];
    strText += Letter(i) + ": " + loadout.strName + "  ";
    strText += loadout.problem ? DescribeProblemInEnglish(*loadout.problem)
                               : "(" + loadout.strWeapon + ", " +
                                     CDataManager::GetSharpnessName(loadout.nSharpness) + ")";
    strText += '\n';
  }
  strText += "target: " + comparison.strMonster + ", " + comparison.strLevel +
             (comparison.bAnger ? ", angry\n" : ", not angry\n");

  std::vector<TextTableLine_t> arrLine{{"region", Letter(0)}};
  std::vector<bool> arrRight{false, true};
  for (size_t i = 1; i < comparison.arrLoadout.size(); ++i) {
    arrLine.front().push_back(Letter(i));
    arrLine.front().push_back(Letter(i) + "-" + Letter(0));
    arrRight.insert(arrRight.end(), {true, true});
  }
  for (size_t nRow = 0; nRow <= comparison.arrRegion.size(); ++nRow) {
    TextTableLine_t& line = arrLine.emplace_back();
    line.push_back(nRow < comparison.arrRegion.size() ? comparison.arrRegion[nRow] : "total");
    line.push_back(Cell(comparison.Damage(0, nRow)));
    for (size_t i = 1; i < comparison.arrLoadout.size(); ++i) {
      line.push_back(Cell(comparison.Damage(i, nRow)));
      line.push_back(FormatDifference(comparison.Difference(i, nRow)));
    }
  }
  return strText + FormatTextTable(arrLine, arrRight);
}

std::string DescribeProblemInEnglish(const LoadoutProblem_t& problem) {
  if (problem.ePart == eSETUP_PART::HitCorrection) return "there is no hit correction to select";
  if (!problem.strName) return std::string("the loadout names no ") + PartInEnglish(problem.ePart);
  return DescribeMissInEnglish({problem.ePart, *problem.strName});
}

std::string DescribeMissInEnglish(const RestoreMiss_t& miss) {
  if (miss.ePart == eSETUP_PART::Category) return "category " + miss.strName + " is not listed";
  return std::string(PartInEnglish(miss.ePart)) + " " + miss.strName + " is not in the data";
}

const char* SetupPartName(eSETUP_PART ePart) {
  return ePart == eSETUP_PART::HitCorrection ? "hit_correction" : PartInEnglish(ePart);
}
