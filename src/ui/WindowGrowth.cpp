#include "WindowGrowth.h"

#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Each column's share of the extra width; the last is the whole window.
constexpr std::array<double, 4> kColumnShare = {0.25, 0.25, 0.5, 1.0};

struct NamedRule_t {
  const char* pszName;
  CWindowGrowth::Rule_t rule;
};

// Controls not listed keep their place (the modifier boxes move down).
const std::array<NamedRule_t, 22> kRules = {{
    {"ctl1001", {0, 0, 1, 0, 0}},       // category
    {"ctl1002", {0, 0, 1, 0, 1}},       // weapon list
    {"ctl1009", {0, 0, 0, 1, 0}},       // sharpness slider
    {"ctl1010", {0, 0, 0, 1, 0}},       // sharpness text
    {"ctl1011", {0, 0, 1, 1, 0}},       // attack text
    {"ctl1012", {0, 0, 1, 1, 0}},       // element text
    {"ctl1003", {1, 0, 1, 0, 0.5}},     // available motions
    {"ctl1005", {1, 0, 0, 0.5, 0}},     // 加
    {"ctl1006", {1, 0, 0, 0.5, 0}},     // 削
    {"ctl1007", {1, 0, 0, 0.5, 0}},     // 全消去
    {"menuButton", {1, 0, 0, 0.5, 0}},  // the system menu's button
    {"ctl1004", {1, 0, 1, 0.5, 0.5}},   // chosen motions
    {"lblLevel", {2, 0, 0, 0, 0}},
    {"ctl1014", {2, 0, 1, 0, 0}},  // level
    {"lblHitCorrection", {2, 0, 0, 0, 0}},
    {"ctl1015", {2, 0, 1, 0, 0}},       // hit correction
    {"ctl1008", {2, 0, 1, 0, 0}},       // monster
    {"ctl1017", {2, 1, 0, 0, 0}},       // anger, right of the monster
    {"ctl1016", {2, 1, 0, 0, 0}},       // report button
    {"ctl1013", {2, 0, 1, 0, 1}},       // result list
    {"grpModifiers", {3, 0, 1, 1, 0}},  // the modifiers' frame
    {"", {0, 0, 0, 1, 0}},              // anything else: a modifier box
}};

}  // namespace

CWindowGrowth::Rule_t CWindowGrowth::RuleOf(const QString& strName) {
  for (const NamedRule_t& named : kRules) {
    if (strName == QLatin1String(named.pszName)) return named.rule;
  }
  return kRules.back().rule;
}

QRect CWindowGrowth::Place(const QRect& rcAtMinimum, const Rule_t& rule, const QSize& extra) {
  const int nDx = std::max(0, extra.width());
  const int nDy = std::max(0, extra.height());
  // The columns left of this one have moved it on by their shares; the
  // whole window's width starts at the left edge.
  double fLeft = 0.0;
  for (int i = 0; i < rule.nColumn && rule.nColumn < 3; ++i) {
    fLeft += kColumnShare[static_cast<size_t>(i)];
  }
  const double fColumn = nDx * kColumnShare[static_cast<size_t>(rule.nColumn)];
  const auto Round = [](double fValue) { return static_cast<int>(std::lround(fValue)); };
  return {rcAtMinimum.x() + Round(nDx * fLeft + fColumn * rule.fMoveX),
          rcAtMinimum.y() + Round(nDy * rule.fMoveY),
          rcAtMinimum.width() + Round(fColumn * rule.fGrowX),
          rcAtMinimum.height() + Round(nDy * rule.fGrowY)};
}

void CWindowGrowth::Capture(const QWidget& window) {
  m_arrPlaced.clear();
  for (QWidget* pChild : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (pChild->isWindow()) continue;
    m_arrPlaced.push_back({pChild, pChild->geometry(), RuleOf(pChild->objectName())});
  }
}

void CWindowGrowth::Apply(const QSize& extra) const {
  for (const Placed_t& placed : m_arrPlaced) {
    placed.pWidget->setGeometry(Place(placed.rcAtMinimum, placed.rule, extra));
  }
}
