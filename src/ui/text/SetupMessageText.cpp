#include "text/SetupMessageText.h"

#include <QStringList>
#include <charconv>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "platform/TextEscape.h"
#include "text/SjisText.h"

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
QString MissName(const RestoreMiss_t& miss) {
  // A name from a file is shown on one line, whatever it holds.
  if (miss.ePart != eSETUP_PART::Category)
    return FromSjis(velkar::EscapeSjisControls(miss.strName));
  int nCategory = -1;
  const char* pEnd = miss.strName.data() + miss.strName.size();
  const auto [pStop, error] = std::from_chars(miss.strName.data(), pEnd, nCategory);
  if (error != std::errc() || pStop != pEnd || nCategory < 0 || nCategory >= CATEGORY_COUNT) {
    return FromSjis(miss.strName);
  }
  return FromSjis(CDataManager::GetCategoryLabel(nCategory));
}

}  // namespace

QString DescribeMiss(const RestoreMiss_t& miss) {
  return FromSjis(txt::kCodeMissLine).arg(FromSjis(PartWord(miss.ePart)), MissName(miss));
}

QString DescribeRestoreMisses(const std::vector<RestoreMiss_t>& arrMiss, bool bOtherData) {
  QStringList arrLine;
  if (bOtherData) arrLine.append(FromSjis(txt::kCodeOtherData));
  if (!arrMiss.empty()) {
    arrLine.append(FromSjis(txt::kCodeMissHeading));
    for (const RestoreMiss_t& miss : arrMiss) arrLine.append(DescribeMiss(miss));
  }
  return arrLine.join(u'\n');
}

QString DescribeLoadoutProblem(const LoadoutProblem_t& problem) {
  if (problem.ePart == eSETUP_PART::HitCorrection) return FromSjis(txt::kCompareNoHitCorrection);
  if (!problem.strName) {
    return FromSjis(problem.ePart == eSETUP_PART::Category ? txt::kCompareNoCategory
                                                           : txt::kCompareNoWeapon);
  }
  return DescribeMiss({problem.ePart, *problem.strName});
}
