#include "ControlFactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "ControlTemplate.h"
#include "model/ModifierTable.h"
#include "style/DialogStyle.h"
#include "text/SjisText.h"
#include "widgets/ColorListCtrl.h"
#include "widgets/GroupFrame.h"
#include "widgets/SharpnessSlider.h"
#include "widgets/WeaponListBox.h"

CControlFactory::CControlFactory(QDialog& window)
    : m_window(window),
      m_base(MeasureDialogBaseUnits(window.font())),
      m_pCheckBoxStyle(new CDialogStyle) {
  m_pCheckBoxStyle->setParent(&window);
}

QString CControlFactory::ControlName(int nId) {
  return QStringLiteral("ctl%1").arg(nId);
}

MainControls_t CControlFactory::Create() {
  QGroupBox* pGroup = nullptr;
  // Created in template order, which makes it the tab order too.
  for (const ControlTemplate_t& control : GetMainWindowTemplate()) {
    QWidget* pWidget = CreateControl(control);
    pWidget->setObjectName(
        control.nId != 0 ? ControlName(control.nId)
                         : QString::fromLatin1(control.strName.data(),
                                               static_cast<qsizetype>(control.strName.size())));
    if (auto* pBox = qobject_cast<QGroupBox*>(pWidget)) pGroup = pBox;
  }
  // The frame lies behind the check boxes it surrounds, so that it takes
  // none of their clicks.
  if (pGroup != nullptr) pGroup->lower();
  AddUnplacedModifiers();

  // The template's size is the smallest; a larger window gives its lists the room.
  const QSize templateSize =
      DialogUnitsToPixels(QRect(0, 0, kMainWindowWidthDu, kMainWindowHeightDu), m_base).size();
  m_window.setMinimumSize(templateSize);
  m_window.resize(templateSize);
  return FindControls();
}

MainControls_t CControlFactory::FindControls() const {
  auto find = [this]<class Widget>(Widget*& pControl, int nId) {
    pControl = m_window.findChild<Widget*>(ControlName(nId), Qt::FindDirectChildrenOnly);
  };
  MainControls_t controls;
  find(controls.pCategory, 1001);
  find(controls.pWeapons, 1002);
  find(controls.pAvailable, 1003);
  find(controls.pChosen, 1004);
  find(controls.pAdd, 1005);
  find(controls.pRemove, 1006);
  find(controls.pClear, 1007);
  find(controls.pMonster, 1008);
  find(controls.pSharpness, 1009);
  find(controls.pSharpnessText, 1010);
  find(controls.pAttackText, 1011);
  find(controls.pElementText, 1012);
  find(controls.pResult, 1013);
  find(controls.pLevel, 1014);
  find(controls.pHitCorrection, 1015);
  find(controls.pReport, 1016);
  find(controls.pAnger, 1017);
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    find(controls.arrModifier[static_cast<size_t>(nId - CCalculator::kFirstModifierId)], nId);
  }
  return controls;
}

void CControlFactory::AddUnplacedModifiers() {
  // A modifier that the layout has no place for gets a box right of the box
  // before it, on the same line, so that every row of the table shows.
  const int nGap = DialogUnitsToPixels(QRect(0, 0, 2, 0), m_base).width();
  QWidget* pPrevious = nullptr;
  for (const ModifierInfo_t& info : kModifierTable) {
    QWidget* pBox =
        m_window.findChild<QWidget*>(ControlName(info.nControlId), Qt::FindDirectChildrenOnly);
    if (pBox == nullptr && pPrevious != nullptr) {
      auto* pCheck = new QCheckBox(FromSjis(info.strCaption), &m_window);
      pCheck->setStyle(m_pCheckBoxStyle);
      pCheck->setObjectName(ControlName(info.nControlId));
      const QRect rcPrevious = pPrevious->geometry();
      pCheck->setGeometry(rcPrevious.right() + 1 + nGap, rcPrevious.y(), pCheck->sizeHint().width(),
                          rcPrevious.height());
      pBox = pCheck;
    }
    pPrevious = pBox;
  }
}

QWidget* CControlFactory::CreateControl(const ControlTemplate_t& control) {
  const QRect rc = DialogUnitsToPixels(QRect(control.x, control.y, control.cx, control.cy), m_base);
  const int nLineHeight = m_window.fontMetrics().height();
  switch (control.eKind) {
    case CONTROL_DROPDOWN: {
      auto* pCombo = new QComboBox(&m_window);
      // The template's height includes the opened list; closed, the box is
      // one line high.
      const int nClosed = nLineHeight + 8;
      pCombo->setGeometry(rc.x(), rc.y(), rc.width(), nClosed);
      pCombo->setMaxVisibleItems(std::max(1, (rc.height() - nClosed) / (nLineHeight + 2)));
      return pCombo;
    }
    case CONTROL_LIST:
    case CONTROL_WEAPON_LIST: {
      QListWidget* pList = control.eKind == CONTROL_WEAPON_LIST ? new CWeaponListBox(&m_window)
                                                                : new QListWidget(&m_window);
      pList->setSelectionMode(QAbstractItemView::SingleSelection);
      pList->setGeometry(rc);
      return pList;
    }
    case CONTROL_BUTTON:
    case CONTROL_BITMAP_BUTTON: {
      auto* pButton = new QPushButton(FromSjis(control.strCaption), &m_window);
      // No button is ever the window's default: Enter presses only a button
      // that has the focus (see the window's keyPressEvent).
      pButton->setAutoDefault(false);
      pButton->setGeometry(rc);
      return pButton;
    }
    case CONTROL_SLIDER: {
      auto* pSlider = new CSharpnessSlider(&m_window);
      pSlider->setTickPosition(QSlider::TicksBelow);
      pSlider->setTickInterval(1);
      pSlider->setPageStep(1);
      pSlider->setGeometry(rc);
      return pSlider;
    }
    case CONTROL_TEXT: {
      auto* pLabel = new QLabel(FromSjis(control.strCaption), &m_window);
      pLabel->setTextFormat(Qt::PlainText);
      pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      pLabel->setGeometry(rc);
      return pLabel;
    }
    case CONTROL_RESULT_LIST: {
      auto* pList = new CColorListCtrl(&m_window);
      pList->setGeometry(rc);
      return pList;
    }
    case CONTROL_CHECK:
    case CONTROL_MODIFIER: {
      const ModifierInfo_t* pModifier = FindModifier(control.nId);
      auto* pCheck = new QCheckBox(
          FromSjis(pModifier != nullptr ? pModifier->strCaption : control.strCaption), &m_window);
      pCheck->setStyle(m_pCheckBoxStyle);
      pCheck->setGeometry(rc);
      return pCheck;
    }
    case CONTROL_GROUP: {
      auto* pGroup = new CGroupFrame(&m_window);
      pGroup->setFocusPolicy(Qt::NoFocus);
      pGroup->setGeometry(rc);
      return pGroup;
    }
  }
  return new QWidget(&m_window);
}
