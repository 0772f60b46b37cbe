#include "setup/SetupMissText.h"

#include <charconv>
#include <string_view>

#include "VelkarTexts.h"
#include "data/DataFileError.h"
#include "data/DataManager.h"
#include "platform/TextEscape.h"

namespace {

std::string_view PartWord(eSETUP_PART ePart) {
  switch (ePart) {
    case eSETUP_PART::Category: return txt::kPartCategory;
    case eSETUP_PART::Weapon: return txt::kPartWeapon;
    case eSETUP_PART::Motion: return txt::kPartMotion;
    case eSETUP_PART::Monster: return txt::kPartMonster;
    case eSETUP_PART::Level: return txt::kPartLevel;
    case eSETUP_PART::HitCorrection: return txt::kPartHitCorrection;
  }
  return txt::kPartWeapon;
}

// A category is named by its value; a known value reads as its label.
std::string MissName(const RestoreMiss_t& miss) {
  if (miss.ePart == eSETUP_PART::Category) {
    int nCategory = -1;
    const char* pEnd = miss.strName.data() + miss.strName.size();
    const auto [pStop, error] = std::from_chars(miss.strName.data(), pEnd, nCategory);
    if (error == std::errc() && pStop == pEnd && nCategory >= 0 && nCategory < CATEGORY_COUNT) {
      return CDataManager::GetCategoryLabel(nCategory);
    }
  }
  return velkar::EscapeSjisControls(miss.strName);
}

std::string ProblemText(const LoadoutProblem_t& problem) {
  if (problem.ePart == eSETUP_PART::HitCorrection) return std::string(txt::kCompareNoHitCorrection);
  if (!problem.strName) {
    return std::string(problem.ePart == eSETUP_PART::Category ? txt::kCompareNoCategory
                                                              : txt::kCompareNoWeapon);
  }
  return DescribeMissInJapanese({problem.ePart, *problem.strName});
}

}  // namespace

std::string DescribeMissInJapanese(const RestoreMiss_t& miss) {
  return Numbered(txt::kCodeMissLine, {std::string(PartWord(miss.ePart)), MissName(miss)});
}

std::string DescribeRestoreMissesInJapanese(const std::vector<RestoreMiss_t>& arrMiss,
                                            bool bOtherData) {
  std::string strText = bOtherData ? std::string(txt::kCodeOtherData) : std::string();
  if (arrMiss.empty()) return strText;
  if (!strText.empty()) strText += '\n';
  strText += txt::kCodeMissHeading;
  for (const RestoreMiss_t& miss : arrMiss) strText += "\n" + DescribeMissInJapanese(miss);
  return strText;
}

std::string DescribeLoadoutMissesInJapanese(const ComparedLoadout_t& loadout) {
  std::string strText;
  if (loadout.problem) strText = Numbered(txt::kCompareNoNumbers, {ProblemText(*loadout.problem)});
  for (const RestoreMiss_t& miss : loadout.arrMiss) {
    if (!strText.empty()) strText += '\n';
    strText += DescribeMissInJapanese(miss);
  }
  return strText;
}
