// The legends of the two coloured lists, as tooltips in Japanese: what the
// colours of the result rows and of the weapon names mean. Each colour is
// shown as a word in that very colour on the lists' white base, so the legend
// reads the same under any desktop palette.
#pragma once

#include <QString>

// Result rows: black normal, red hard to get through, blue weak spot.
QString ResultColourLegend();

// Weapon names: one line per element, in the element's colour.
QString WeaponColourLegend();
