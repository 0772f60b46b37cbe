#include "widgets/ColourLegend.h"

#include <QColor>
#include <utility>
#include <vector>

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "model/GameEnums.h"
#include "text/SjisText.h"
#include "widgets/WeaponListBox.h"

namespace {

// A heading, then a white table with one entry per line in its colour. (Qt
// paints a table's background only when the table has a width.)
QString Legend(std::string_view strHeading,
               const std::vector<std::pair<QColor, QString>>& arrEntry) {
  QString strHtml = QStringLiteral(
                        "<p style=\"white-space:pre\">%1</p>"
                        "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" "
                        "style=\"background-color:#ffffff\">")
                        .arg(FromSjis(strHeading).toHtmlEscaped());
  for (const auto& [clrText, strText] : arrEntry) {
    strHtml += QStringLiteral("<tr><td style=\"color:%1\">%2%3</td></tr>")
                   .arg(clrText.name(), FromSjis(txt::kLegendSwatch), strText.toHtmlEscaped());
  }
  return strHtml + QStringLiteral("</table>");
}

}  // namespace

QString ResultColourLegend() {
  std::vector<std::pair<QColor, QString>> arrEntry;
  for (const auto& [nKind, strText] : {std::pair{RESULT_NORMAL, txt::kLegendResultNormal},
                                       std::pair{RESULT_LOW, txt::kLegendResultLow},
                                       std::pair{RESULT_HIGH, txt::kLegendResultHigh}}) {
    const QColor clrText = QColor::fromRgb(static_cast<QRgb>(ResultKindColor(nKind).value_or(0)));
    arrEntry.emplace_back(clrText, FromSjis(strText));
  }
  return Legend(txt::kLegendResultHeading, arrEntry);
}

QString WeaponColourLegend() {
  // In bit order: the lowest set bit of a weapon's element mask decides the
  // colour of its name, so the entry higher up wins.
  std::vector<std::pair<QColor, QString>> arrEntry;
  for (int nElement = ELEMENT_NONE; nElement < ELEMENT_COUNT; ++nElement) {
    arrEntry.emplace_back(CWeaponListBox::ElementTextColor(1 << nElement),
                          FromSjis(CDataManager::GetElementName(nElement)));
  }
  return Legend(txt::kLegendWeaponHeading, arrEntry);
}
