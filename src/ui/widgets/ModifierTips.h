// CModifierTips: the tooltips of the 24 modifier check boxes. Each says what
// its box does in words, which boxes of its group it excludes, and what
// ticking or unticking it would change in the total now (the core's gains,
// GainText.h). The text is worked out when the tooltip is about to show, so
// that no click pays for it.
#pragma once

#include <QObject>
#include <functional>

class CCalculator;
class QCheckBox;

class CModifierTips : public QObject {
  Q_OBJECT

public:
  // fnCalculation gives the calculation on show, or null while there is none
  // to read.
  explicit CModifierTips(std::function<const CCalculator*()> fnCalculation,
                         QObject* pParent = nullptr);

  // Gives a box the tooltip of the modifier of its control id.
  void Attach(QCheckBox* pCheck, int nControlId);
  // The tooltip of a modifier now.
  QString TipOf(int nControlId) const;

protected:
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
  std::function<const CCalculator*()> m_fnCalculation;
};
