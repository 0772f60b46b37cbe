// CWindowGrowth: how the main window's controls follow its size. At the
// template's size (the window's minimum) every control stands where the
// template puts it; the extra width and height of a larger window go to the
// lists. The window falls into three columns: weapons (a quarter of the
// extra width), motions (a quarter) and the target with the result list (a
// half). The weapon list and the result list take the whole extra height,
// the two motion lists half each; what lies below them moves down with them,
// and the modifier frame at the bottom keeps its height and widens. So the
// controls keep their order and their places relative to each other.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QWidget;

class CWindowGrowth {
public:
  // How one control follows: its column's share of the extra width moves it
  // (fMoveX) and widens it (fGrowX); the extra height moves it (fMoveY) and
  // heightens it (fGrowY).
  struct Rule_t {
    int nColumn = 0;  // 0 weapons, 1 motions, 2 target and results, 3 all
    double fMoveX = 0.0;
    double fGrowX = 0.0;
    double fMoveY = 0.0;
    double fGrowY = 0.0;
  };

  // The rule of a control by its object name ("ctl1002", "grpModifiers").
  static Rule_t RuleOf(const QString& strName);
  // A control's place at a window larger than the minimum by extra.
  static QRect Place(const QRect& rcAtMinimum, const Rule_t& rule, const QSize& extra);

  // Remembers the places of the window's direct children at the minimum
  // size (call once, when all controls stand where the template puts them).
  void Capture(const QWidget& window);
  // Places every captured control for a window larger than the minimum by
  // extra (negative parts count as 0).
  void Apply(const QSize& extra) const;

private:
  struct Placed_t {
    QWidget* pWidget;
    QRect rcAtMinimum;
    Rule_t rule;
  };
  std::vector<Placed_t> m_arrPlaced;
};
