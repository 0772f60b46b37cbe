#include "widgets/ModifierTips.h"

#include <QCheckBox>
#include <QEvent>
#include <QVariant>
#include <utility>

#include "calc/Calculator.h"
#include "calc/GainText.h"
#include "text/SjisText.h"

namespace {

constexpr char kIdProperty[] = "velkarModifierId";

}  // namespace

CModifierTips::CModifierTips(std::function<const CCalculator*()> fnCalculation, QObject* pParent)
    : QObject(pParent), m_fnCalculation(std::move(fnCalculation)) {}

void CModifierTips::Attach(QCheckBox* pCheck, int nControlId) {
  pCheck->setProperty(kIdProperty, nControlId);
  pCheck->installEventFilter(this);
}

QString CModifierTips::TipOf(int nControlId) const {
  const ModifierInfo_t* pInfo = FindModifier(nControlId);
  if (pInfo == nullptr) return {};
  const CCalculator* pCalculator = m_fnCalculation ? m_fnCalculation() : nullptr;
  const std::optional<GainTable_t> gains =
      pCalculator != nullptr ? ComputeGains(*pCalculator) : std::nullopt;
  return FromSjis(ModifierTipText(*pInfo, gains));
}

bool CModifierTips::eventFilter(QObject* pWatched, QEvent* pEvent) {
  if (pEvent->type() == QEvent::ToolTip) {
    auto* pCheck = qobject_cast<QCheckBox*>(pWatched);
    // Set just before the box shows it in its own handling of the event.
    if (pCheck != nullptr) pCheck->setToolTip(TipOf(pCheck->property(kIdProperty).toInt()));
  }
  return QObject::eventFilter(pWatched, pEvent);
}
