// The drop-down list that picks what a view ranks or charts: the total damage
// or one region of the monster on show (the gains view, the chart view). It is
// filled again after every change, and the region chosen stays chosen by its
// name while the new monster has a region of that name.
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>

class QComboBox;

// Fills combo with the total and the regions, choosing strChosen (by default
// the region chosen now), or the total when there is no region of that name,
// without a signal of the change; the chosen region's index, none for the
// total.
std::optional<size_t> FillRegionChooser(QComboBox& combo, const QStringList& arrRegion,
                                        std::optional<QString> strChosen = std::nullopt);
