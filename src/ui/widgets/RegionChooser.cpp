#include "widgets/RegionChooser.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <algorithm>

#include "VelkarTexts.h"
#include "text/SjisText.h"

std::optional<size_t> FillRegionChooser(QComboBox& combo, const QStringList& arrRegion,
                                        std::optional<QString> strChosen) {
  if (!strChosen) strChosen = combo.currentIndex() > 0 ? combo.currentText() : QString();
  const QSignalBlocker blocker(&combo);
  combo.clear();
  combo.addItem(FromSjis(txt::kRankingByTotal));
  combo.addItems(arrRegion);
  // The total's entry is no region, even when a region bears its name.
  const qsizetype nRegion = strChosen->isEmpty() ? -1 : arrRegion.indexOf(*strChosen);
  combo.setCurrentIndex(static_cast<int>(nRegion + 1));
  if (nRegion < 0) return std::nullopt;
  return static_cast<size_t>(nRegion);
}
