#include "VelkarDlg.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include "dialogs/VelkarMessage.h"

#include "BesidePlacement.h"
#include "DataConversion.h"
#include "Resources.h"
#include "SetupCommands.h"
#include "SystemMenu.h"
#include "VelkarTexts.h"
#include "WindowMenu.h"
#include "calc/HitTable.h"
#include "calc/RateText.h"
#include "calc/ReportText.h"
#include "data/DataManager.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/BreakdownDlg.h"
#include "dialogs/BuildsDlg.h"
#include "dialogs/ChartDlg.h"
#include "dialogs/ComparisonDlg.h"
#include "dialogs/GainsDlg.h"
#include "dialogs/RankingDlg.h"
#include "model/ModifierTable.h"
#include "setup/SetupMissText.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"
#include "style/DialogFont.h"
#include "style/DialogStyle.h"
#include "text/ClipboardText.h"
#include "text/LoadErrorText.h"
#include "text/SetupNoteText.h"
#include "text/SjisText.h"
#include "widgets/BaselineColumn.h"
#include "widgets/ButtonNote.h"
#include "widgets/ColorListCtrl.h"
#include "widgets/ColourLegend.h"
#include "widgets/GroupFrame.h"
#include "widgets/MinimisedIcon.h"
#include "widgets/ModifierTips.h"
#include "widgets/ResultColumnFit.h"
#include "widgets/SharpnessSlider.h"
#include "widgets/WeaponListBox.h"

namespace {

const QSize kReportBitmapSize(15, 13);

QString ControlName(int nId) {
  return QStringLiteral("ctl%1").arg(nId);
}

// The row of a list box's selected entry, or NO_SELECTION.
int SelectedRow(const QListWidget* pList) {
  const QList<QListWidgetItem*> arrItem = pList->selectedItems();
  return arrItem.isEmpty() ? NO_SELECTION : pList->row(arrItem.first());
}

template <class Record>
void FillWithNames(QComboBox* pCombo, const std::vector<const Record*>& arrRecord) {
  pCombo->clear();
  for (const Record* pRecord : arrRecord) pCombo->addItem(FromSjis(pRecord->GetName()));
}

// Each record's entry as fnText words it (its name with its rate).
template <class Record, class TextOf>
void FillWithTexts(QComboBox* pCombo, const std::vector<const Record*>& arrRecord, TextOf fnText) {
  pCombo->clear();
  for (const Record* pRecord : arrRecord) pCombo->addItem(FromSjis(fnText(*pRecord)));
}

template <class Record>
void FillWithNames(QListWidget* pList, const std::vector<const Record*>& arrRecord) {
  pList->clear();
  // All rows in one insertion: a list of thousands of motions fills at once.
  QStringList arrName;
  arrName.reserve(static_cast<qsizetype>(arrRecord.size()));
  for (const Record* pRecord : arrRecord) arrName.append(FromSjis(pRecord->GetName()));
  pList->addItems(arrName);
}

// The selected weapon's own sharpness, or none without a weapon.
std::optional<int> OwnSharpness(const CCalculator& calculator) {
  const CWeapon* pWeapon = calculator.GetSelectedWeapon();
  uint16_t wAttack = 0;
  uint16_t wElement = 0;
  int32_t nMask = 0;
  int32_t nSharpness = 0;
  if (pWeapon == nullptr || !pWeapon->GetStatus(wAttack, wElement, nMask, nSharpness)) {
    return std::nullopt;
  }
  return nSharpness;
}

bool SameRows(const std::vector<ResultRow_t>& arrA, const std::vector<ResultRow_t>& arrB) {
  return std::equal(arrA.begin(), arrA.end(), arrB.begin(), arrB.end(),
                    [](const ResultRow_t& a, const ResultRow_t& b) {
                      return a.arrCell == b.arrCell && a.nColor == b.nColor;
                    });
}

}  // namespace

CVelkarDlg::CVelkarDlg(QWidget* pParent) : QDialog(pParent), m_icon(LoadApplicationIcon()) {
  setObjectName(QStringLiteral("velkarDlg"));
  setWindowTitle(FromSjis(txt::kWindowCaption));
  // A frame that can be resized, with title, system menu, maximise and
  // close box; no minimise box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(MakeDialogFont());
  m_pCheckBoxStyle = new CDialogStyle;
  m_pCheckBoxStyle->setParent(this);
  CreateControls();
  m_pBaseline = std::make_unique<CBaselineColumn>(*m_pResult);
  m_pSetupCommands = std::make_unique<CSetupCommands>(
      SetupWindow_t{&m_calculator, [this] { ShowCalculator(true); },
                    [this] { return !m_bRecordsForgotten; }, m_pReport, this});
  ConnectControls();
  ShowCalculator(true);

  m_pMenu = std::make_unique<CWindowMenu>(*this, [this](int nCommand) { OnSysCommand(nCommand); });
  setWindowIcon(m_icon);
  m_pReport->setIcon(QIcon(LoadReportBitmap()));
  m_pReport->setIconSize(kReportBitmapSize);
  m_growth.Capture(*this);
  ReloadAll();
  m_pSetupCommands->ResetHistory();
}

CVelkarDlg::~CVelkarDlg() = default;

QMenu* CVelkarDlg::GetSystemMenu() const {
  return m_pMenu->GetMenu();
}

QWidget* CVelkarDlg::GetControl(int nId) const {
  return findChild<QWidget*>(ControlName(nId), Qt::FindDirectChildrenOnly);
}

// ---------------------------------------------------------------------------
// Controls

void CVelkarDlg::CreateControls() {
  const DialogBaseUnits_t base = MeasureDialogBaseUnits(font());
  QGroupBox* pGroup = nullptr;
  // Created in template order, which makes it the tab order too.
  for (const ControlTemplate_t& control : GetMainWindowTemplate()) {
    QWidget* pWidget = CreateControl(control, base);
    pWidget->setObjectName(
        control.nId != 0 ? ControlName(control.nId)
                         : QString::fromLatin1(control.strName.data(),
                                               static_cast<qsizetype>(control.strName.size())));
    if (auto* pBox = qobject_cast<QGroupBox*>(pWidget)) pGroup = pBox;
  }
  // The frame lies behind the check boxes it surrounds, so that it takes
  // none of their clicks.
  if (pGroup != nullptr) pGroup->lower();
  AddUnplacedModifiers(base);

  m_pCategory = findChild<QComboBox*>(ControlName(1001));
  m_pWeapons = findChild<CWeaponListBox*>(ControlName(1002));
  m_pAvailable = findChild<QListWidget*>(ControlName(1003));
  m_pChosen = findChild<QListWidget*>(ControlName(1004));
  m_pMonster = findChild<QComboBox*>(ControlName(1008));
  m_pSharpness = findChild<CSharpnessSlider*>(ControlName(1009));
  m_pSharpnessText = findChild<QLabel*>(ControlName(1010));
  m_pAttackText = findChild<QLabel*>(ControlName(1011));
  m_pElementText = findChild<QLabel*>(ControlName(1012));
  m_pResult = findChild<CColorListCtrl*>(ControlName(1013));
  m_pLevel = findChild<QComboBox*>(ControlName(1014));
  m_pHitCorrection = findChild<QComboBox*>(ControlName(1015));
  m_pReport = findChild<QPushButton*>(ControlName(1016));
  m_pAnger = findChild<QCheckBox*>(ControlName(1017));
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    m_arrModifier[static_cast<size_t>(nId - CCalculator::kFirstModifierId)] =
        findChild<QCheckBox*>(ControlName(nId));
  }

  // The template's size is the smallest; a larger window gives its lists the room.
  const QSize templateSize =
      DialogUnitsToPixels(QRect(0, 0, kMainWindowWidthDu, kMainWindowHeightDu), base).size();
  setMinimumSize(templateSize);
  resize(templateSize);
}

void CVelkarDlg::AddUnplacedModifiers(const DialogBaseUnits_t& base) {
  // A modifier that the layout has no place for gets a box right of the box
  // before it, on the same line, so that every row of the table shows.
  const int nGap = DialogUnitsToPixels(QRect(0, 0, 2, 0), base).width();
  QWidget* pPrevious = nullptr;
  for (const ModifierInfo_t& info : kModifierTable) {
    QWidget* pBox = GetControl(info.nControlId);
    if (pBox == nullptr && pPrevious != nullptr) {
      auto* pCheck = new QCheckBox(FromSjis(info.strCaption), this);
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

QWidget* CVelkarDlg::CreateControl(const ControlTemplate_t& control,
                                   const DialogBaseUnits_t& base) {
  const QRect rc = DialogUnitsToPixels(QRect(control.x, control.y, control.cx, control.cy), base);
  const int nLineHeight = fontMetrics().height();
  switch (control.eKind) {
    case CONTROL_DROPDOWN: {
      auto* pCombo = new QComboBox(this);
      // The template's height includes the opened list; closed, the box is
      // one line high.
      const int nClosed = nLineHeight + 8;
      pCombo->setGeometry(rc.x(), rc.y(), rc.width(), nClosed);
      pCombo->setMaxVisibleItems(std::max(1, (rc.height() - nClosed) / (nLineHeight + 2)));
      return pCombo;
    }
    case CONTROL_LIST:
    case CONTROL_WEAPON_LIST: {
      QListWidget* pList =
          control.eKind == CONTROL_WEAPON_LIST ? new CWeaponListBox(this) : new QListWidget(this);
      pList->setSelectionMode(QAbstractItemView::SingleSelection);
      pList->setGeometry(rc);
      return pList;
    }
    case CONTROL_BUTTON:
    case CONTROL_BITMAP_BUTTON: {
      auto* pButton = new QPushButton(FromSjis(control.strCaption), this);
      // No button is ever the window's default: Enter presses only a button
      // that has the focus (see keyPressEvent).
      pButton->setAutoDefault(false);
      pButton->setGeometry(rc);
      return pButton;
    }
    case CONTROL_SLIDER: {
      auto* pSlider = new CSharpnessSlider(this);
      pSlider->setTickPosition(QSlider::TicksBelow);
      pSlider->setTickInterval(1);
      pSlider->setPageStep(1);
      pSlider->setGeometry(rc);
      return pSlider;
    }
    case CONTROL_TEXT: {
      auto* pLabel = new QLabel(FromSjis(control.strCaption), this);
      pLabel->setTextFormat(Qt::PlainText);
      pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      pLabel->setGeometry(rc);
      return pLabel;
    }
    case CONTROL_RESULT_LIST: {
      auto* pList = new CColorListCtrl(this);
      pList->setGeometry(rc);
      return pList;
    }
    case CONTROL_CHECK:
    case CONTROL_MODIFIER: {
      const ModifierInfo_t* pModifier = FindModifier(control.nId);
      auto* pCheck = new QCheckBox(
          FromSjis(pModifier != nullptr ? pModifier->strCaption : control.strCaption), this);
      pCheck->setStyle(m_pCheckBoxStyle);
      pCheck->setGeometry(rc);
      return pCheck;
    }
    case CONTROL_GROUP: {
      auto* pGroup = new CGroupFrame(this);
      pGroup->setFocusPolicy(Qt::NoFocus);
      pGroup->setGeometry(rc);
      return pGroup;
    }
  }
  return new QWidget(this);
}

void CVelkarDlg::ConnectControls() {
  connect(m_pCategory, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectCategory(nIndex);
    ShowCalculator(true);
  });
  connect(m_pWeapons, &QListWidget::currentRowChanged, this, [this](int nRow) {
    m_calculator.SelectWeapon(nRow);
    ShowCalculator();
  });
  connect(m_pChosen, &QListWidget::currentRowChanged, this, [this](int nRow) {
    m_calculator.SelectChosenMotion(nRow);
    ShowCalculator();
  });
  connect(findChild<QPushButton*>(ControlName(1005)), &QPushButton::clicked, this,
          &CVelkarDlg::AddSelectedMotion);
  connect(findChild<QPushButton*>(ControlName(1006)), &QPushButton::clicked, this,
          &CVelkarDlg::RemoveSelectedMotion);
  connect(m_pAvailable, &QListWidget::itemDoubleClicked, this, &CVelkarDlg::AddSelectedMotion);
  m_pAvailable->installEventFilter(this);
  m_pChosen->installEventFilter(this);
  connect(findChild<QPushButton*>(ControlName(1007)), &QPushButton::clicked, this, [this] {
    m_calculator.ClearChosenMotions();
    ShowCalculator();
  });
  connect(m_pMonster, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectMonster(nIndex);
    ShowCalculator();
  });
  connect(m_pLevel, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectLevel(nIndex);
    ShowCalculator();
  });
  connect(m_pHitCorrection, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectHitCorrection(nIndex);
    ShowCalculator();
  });
  // A drag changes the position only, and its mouse release recalculates
  // (eventFilter); a move from the keyboard or the wheel is complete at once,
  // so it runs the release's operation straight away.
  connect(m_pSharpness, &QSlider::valueChanged, this, [this](int nPosition) {
    if (m_pSharpness->isSliderDown()) {
      m_calculator.SetSharpnessPosition(nPosition);
    } else {
      m_calculator.ReleaseSharpness(nPosition);
    }
    ShowCalculator();
  });
  m_pSharpness->installEventFilter(this);
  m_pResult->SetRowToolTipSource([this](int nRow) { return RowSummary(nRow); });
  m_pResult->SetHeaderToolTip(ResultColourLegend());
  connect(m_pResult, &CColorListCtrl::RowOpened, this, &CVelkarDlg::OpenBreakdown);
  m_pReport->setToolTip(FromSjis(txt::kReportButtonTip));
  auto* pTips = new CModifierTips([this] { return ShownCalculation(); }, this);
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    pTips->Attach(m_arrModifier[static_cast<size_t>(nId - CCalculator::kFirstModifierId)], nId);
  }
  connect(m_pReport, &QPushButton::clicked, this, &CVelkarDlg::CopyReport);
  connect(m_pAnger, &QCheckBox::clicked, this, [this](bool bChecked) {
    m_calculator.SetAnger(bChecked);
    ShowCalculator();
  });
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    connect(m_arrModifier[static_cast<size_t>(nId - CCalculator::kFirstModifierId)],
            &QCheckBox::clicked, this, [this, nId](bool bChecked) {
              m_calculator.SetModifier(nId, bChecked);
              ShowCalculator();
            });
  }
}

bool CVelkarDlg::eventFilter(QObject* pWatched, QEvent* pEvent) {
  if (pEvent->type() == QEvent::KeyPress &&
      HandleMotionListKey(pWatched, *static_cast<QKeyEvent*>(pEvent))) {
    return true;
  }
  if (pWatched == m_pSharpness && pEvent->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton) {
    // Seen before the slider handles the release; the slider tracks the
    // mouse, so its value already is the final one (also after a click on
    // the groove, which moved it on the press).
    m_calculator.ReleaseSharpness(m_pSharpness->value());
    ShowCalculator();
  }
  return QDialog::eventFilter(pWatched, pEvent);
}

void CVelkarDlg::AddSelectedMotion() {
  m_calculator.AddChosenMotion(SelectedRow(m_pAvailable));
  ShowCalculator();
}

void CVelkarDlg::RemoveSelectedMotion() {
  m_calculator.RemoveChosenMotion(SelectedRow(m_pChosen));
  ShowCalculator();
}

// Enter on an available motion adds it, Delete on a chosen one removes it,
// as the buttons beside the lists do.
bool CVelkarDlg::HandleMotionListKey(const QObject* pList, const QKeyEvent& event) {
  const bool bEnter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
  if (pList == m_pAvailable && bEnter) {
    AddSelectedMotion();
    return true;
  }
  if (pList == m_pChosen && event.key() == Qt::Key_Delete) {
    RemoveSelectedMotion();
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// Showing the calculator

void CVelkarDlg::ShowCalculator(bool bRefill) {
  if (bRefill || m_calculator.GetListRevision() != m_nShownRevision) {
    RefillLists(bRefill);
    m_nShownRevision = m_calculator.GetListRevision();
  }
  ShowSelections();
  ShowTextsAndFlags();
  ShowRows();
  ShowBaseline();
  if (m_pSetupCommands) m_pSetupCommands->Shown();
  emit CalculationShown();
}

void CVelkarDlg::RefillLists(bool bRefill) {
  std::vector<int> arrCategory;
  for (const CategoryEntry_t& entry : m_calculator.GetCategories()) {
    arrCategory.push_back(entry.nCategory);
  }
  if (bRefill || arrCategory != m_arrShownCategory) {
    const QSignalBlocker blocker(m_pCategory);
    m_pCategory->clear();
    for (const CategoryEntry_t& entry : m_calculator.GetCategories()) {
      m_pCategory->addItem(FromSjis(entry.strLabel));
    }
    m_arrShownCategory = arrCategory;
  }
  if (bRefill || m_calculator.GetWeapons() != m_arrShownWeapon) {
    const QSignalBlocker blocker(m_pWeapons);
    m_pWeapons->clear();
    for (const CWeapon* pWeapon : m_calculator.GetWeapons()) m_pWeapons->AddWeapon(*pWeapon);
    m_arrShownWeapon = m_calculator.GetWeapons();
  }
  if (bRefill || m_calculator.GetAvailableMotions() != m_arrShownAvailable) {
    FillWithNames(m_pAvailable, m_calculator.GetAvailableMotions());
    m_arrShownAvailable = m_calculator.GetAvailableMotions();
  }
  if (bRefill || m_calculator.GetChosenMotions() != m_arrShownChosen) {
    const QSignalBlocker blocker(m_pChosen);
    FillWithNames(m_pChosen, m_calculator.GetChosenMotions());
    m_arrShownChosen = m_calculator.GetChosenMotions();
  }
  if (bRefill || m_calculator.GetMonsters() != m_arrShownMonster) {
    const QSignalBlocker blocker(m_pMonster);
    FillWithNames(m_pMonster, m_calculator.GetMonsters());
    m_arrShownMonster = m_calculator.GetMonsters();
  }
  if (bRefill || m_calculator.GetLevels() != m_arrShownLevel) {
    const QSignalBlocker blocker(m_pLevel);
    FillWithTexts(m_pLevel, m_calculator.GetLevels(), LevelEntryText);
    m_arrShownLevel = m_calculator.GetLevels();
  }
  if (bRefill || m_calculator.GetHitCorrections() != m_arrShownHitCorrection) {
    const QSignalBlocker blocker(m_pHitCorrection);
    FillWithTexts(m_pHitCorrection, m_calculator.GetHitCorrections(), HitCorrectionEntryText);
    m_arrShownHitCorrection = m_calculator.GetHitCorrections();
  }
}

void CVelkarDlg::ShowSelections() {
  const QSignalBlocker categoryBlocker(m_pCategory);
  m_pCategory->setCurrentIndex(m_calculator.GetCategorySelection());
  const QSignalBlocker weaponBlocker(m_pWeapons);
  m_pWeapons->setCurrentRow(m_calculator.GetWeaponSelection());
  const QSignalBlocker chosenBlocker(m_pChosen);
  m_pChosen->setCurrentRow(m_calculator.GetChosenMotionSelection());
  const QSignalBlocker monsterBlocker(m_pMonster);
  m_pMonster->setCurrentIndex(m_calculator.GetMonsterSelection());
  const QSignalBlocker levelBlocker(m_pLevel);
  m_pLevel->setCurrentIndex(m_calculator.GetLevelSelection());
  const QSignalBlocker hitBlocker(m_pHitCorrection);
  m_pHitCorrection->setCurrentIndex(m_calculator.GetHitCorrectionSelection());
}

void CVelkarDlg::ShowTextsAndFlags() {
  m_pAttackText->setText(FromSjis(m_calculator.GetAttackText()));
  m_pElementText->setText(FromSjis(m_calculator.GetElementText()));
  m_pSharpnessText->setText(FromSjis(m_calculator.GetSharpnessText()));
  {
    const QSignalBlocker blocker(m_pSharpness);
    m_pSharpness->setRange(m_calculator.GetSharpnessMin(), m_calculator.GetSharpnessMax());
    m_pSharpness->setValue(m_calculator.GetSharpnessPosition());
  }
  m_pSharpness->SetOwnSharpness(m_bRecordsForgotten ? std::nullopt : OwnSharpness(m_calculator));
  m_pAnger->setChecked(m_calculator.GetAnger());
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    QCheckBox* pCheck = m_arrModifier[static_cast<size_t>(nId - CCalculator::kFirstModifierId)];
    pCheck->setChecked(m_calculator.GetModifier(nId));
    pCheck->setEnabled(m_calculator.IsModifierEnabled(nId));
  }
}

void CVelkarDlg::ShowRows() {
  // The columns come with the first load and stay; full-row selection and
  // grid lines come with them.
  if (m_pResult->GetColumnCount() == 0 && !m_calculator.GetResultColumns().empty()) {
    int nColumn = 0;
    for (const ResultColumn_t& column : m_calculator.GetResultColumns()) {
      m_pResult->InsertColumn(nColumn++, FromSjis(column.strCaption), column.nWidth);
    }
    m_pResult->SetFullRowSelect(true);
    m_pResult->SetGridLines(true);
    FitResultColumns();
  }
  // Rows are rebuilt only when they changed, so that an operation that does
  // not recalculate keeps the list's selection.
  const std::vector<ResultRow_t>& arrRow = m_calculator.GetResultRows();
  if (SameRows(arrRow, m_arrShownRow)) return;
  m_pResult->RemoveAllRows();
  int nRow = 0;
  for (const ResultRow_t& row : arrRow) {
    m_pResult->InsertRow(nRow, FromSjis(row.arrCell[0]));
    for (int nColumn = 1; nColumn < static_cast<int>(row.arrCell.size()); ++nColumn) {
      m_pResult->SetCellText(nRow, nColumn, FromSjis(row.arrCell[static_cast<size_t>(nColumn)]));
    }
    // A row without a colour keeps the one stored for its index.
    if (row.nColor) m_pResult->SetItemColor(nRow, *row.nColor);
    ++nRow;
  }
  m_arrShownRow = arrRow;
}

std::optional<CalcExplanation_t> CVelkarDlg::ExplainShownRow(int nRow) const {
  if (m_bRecordsForgotten) return std::nullopt;
  return m_calculator.ExplainRow(nRow);
}

QString CVelkarDlg::RowSummary(int nRow) const {
  const std::optional<CalcExplanation_t> explanation = ExplainShownRow(nRow);
  if (!explanation) return QString();
  // The region's line and the hint line come with the motions' lines.
  const int nMotionLines = std::max(1, m_pResult->ToolTipLineCapacity() - 2);
  QString strText = FromSjis(BuildRowSummary(*explanation, static_cast<size_t>(nMotionLines)));
  if (strText.endsWith(u'\n')) strText.chop(1);
  return strText;
}

void CVelkarDlg::OpenBreakdown(int nRow) {
  if (m_pBreakdown == nullptr) {
    m_pBreakdown = new CBreakdownDlg([this](int nShown) { return ExplainShownRow(nShown); }, this);
    connect(this, &CVelkarDlg::CalculationShown, m_pBreakdown, &CBreakdownDlg::Refresh);
  }
  m_pBreakdown->ShowRow(nRow);
}

// ---------------------------------------------------------------------------
// Reloading, the system menu and its commands

void CVelkarDlg::ReloadAll() {
  m_calculator.LoadAll();
  m_bRecordsForgotten = false;
  ShowCalculator(true);
  const CDataManager& store = CDataManager::GetInstance();
  QString strErrors = DescribeLoadErrors(store.GetLoadErrors());
  // Without any data file the first start says where they belong.
  if (strErrors.isEmpty() && !isVisible()) strErrors = DescribeMissingData(store);
  if (!strErrors.isEmpty()) ReportProblem(strErrors);
}

void CVelkarDlg::ReportProblem(const QString& strText) {
  if (isVisible()) {
    ShowMessage(strText, true);
    return;
  }
  // At start-up the window is not on screen yet; the message waits for it,
  // and several wait as one.
  if (!m_strPendingProblems.isEmpty()) m_strPendingProblems += QStringLiteral("\n\n");
  m_strPendingProblems += strText;
}

void CVelkarDlg::showEvent(QShowEvent* pEvent) {
  QDialog::showEvent(pEvent);
  if (m_strPendingProblems.isEmpty()) return;
  const QString strText = std::exchange(m_strPendingProblems, QString());
  QMetaObject::invokeMethod(
      this, [this, strText] { ShowMessage(strText, true); }, Qt::QueuedConnection);
}

void CVelkarDlg::ShowMessage(const QString& strText, bool bProblem) {
  ShowVelkarMessage(this, bProblem ? QMessageBox::Warning : QMessageBox::Information,
                    FromSjis(txt::kWindowCaption), strText);
}

void CVelkarDlg::contextMenuEvent(QContextMenuEvent* pEvent) {
  pEvent->setAccepted(m_pMenu->HandleContextMenu(*pEvent));
}

void CVelkarDlg::OnSysCommand(int nCommand) {
  switch (nCommand) {
    case kCommandAbout: {
      CAboutDlg about(this);
      about.exec();
      break;
    }
    case kCommandConvertWeapons: Convert(&CDataConversion::ConvertWeapons); break;
    case kCommandConvertMonsters: Convert(&CDataConversion::ConvertMonsters); break;
    case kCommandBuilds: OpenBuilds(); break;
    case kCommandRanking: OpenRanking(); break;
    case kCommandPin: TogglePin(); break;
    case kCommandCompare: OpenComparison(); break;
    case kCommandCopyCode: m_pSetupCommands->CopyCode(); break;
    case kCommandOpenCode: m_pSetupCommands->OpenCodeFromClipboard(); break;
    case kCommandUndo: m_pSetupCommands->Undo(); break;
    case kCommandRedo: m_pSetupCommands->Redo(); break;
    case kCommandGains: OpenGains(); break;
    case kCommandChart: OpenChart(); break;
    case kCommandClose: reject(); break;
    default: break;
  }
}

void CVelkarDlg::OpenBuilds() {
  if (m_pBuilds == nullptr) {
    m_pBuilds = new CBuildsDlg([this] { return CaptureSetup(m_calculator); },
                               [this](const Setup_t& setup) { return ApplySetup(setup); }, this);
  }
  // Shown again it reads the builds anew; already on screen, it is told to.
  if (m_pBuilds->isVisible()) m_pBuilds->Refresh();
  m_pBuilds->show();
  m_pBuilds->raise();
  m_pBuilds->activateWindow();
}

std::vector<RestoreMiss_t> CVelkarDlg::ApplySetup(const Setup_t& setup) {
  if (m_bRecordsForgotten) return {};
  std::vector<RestoreMiss_t> arrMiss = RestoreSetup(m_calculator, setup);
  ShowCalculator(true);
  return arrMiss;
}

void CVelkarDlg::RestoreLastSetup() {
  const CSetupStore store;
  const std::optional<Setup_t> setup = store.LoadLastSetup();
  if (const std::optional<SetupFileProblem_t>& problem = store.GetProblem()) {
    std::cerr << "velkar: " << DescribeInEnglish(*problem) << '\n';
    ReportProblem(FromSjis(txt::kLastSetupUnusable).arg(DescribeSetupFileProblem(*problem)));
  }
  if (setup) {
    const QString strMisses = FromSjis(DescribeRestoreMissesInJapanese(ApplySetup(*setup), false));
    if (!strMisses.isEmpty()) ReportProblem(strMisses);
  }
  // The restored setup is where the player's steps start.
  m_pSetupCommands->ResetHistory();
  if (const std::optional<WindowPlacement_t> placement = store.LoadLastPlacement()) {
    RestorePlacement(*placement);
  }
}

void CVelkarDlg::RestorePlacement(const WindowPlacement_t& placement) {
  resize(QSize(placement.nWidth, placement.nHeight).expandedTo(minimumSize()));
  // Only onto a screen that is still there: a window saved on a monitor
  // since unplugged opens where the desktop puts it.
  const QRect rcSaved(placement.nX, placement.nY, width(), height());
  for (const QScreen* pScreen : QGuiApplication::screens()) {
    if (pScreen->availableGeometry().intersects(rcSaved)) {
      move(rcSaved.topLeft());
      return;
    }
  }
}

WindowPlacement_t CVelkarDlg::GetPlacement() const {
  return {x(), y(), width(), height()};
}

void CVelkarDlg::resizeEvent(QResizeEvent* pEvent) {
  QDialog::resizeEvent(pEvent);
  m_growth.Apply(size() - minimumSize());
  FitResultColumns();
}

void CVelkarDlg::FitResultColumns() {
  // A shown baseline's column has made its own room.
  if (!m_pBaseline || m_pBaseline->IsShown()) return;
  CResultColumnFit::Fit(*m_pResult, m_calculator.GetResultColumns());
}

void CVelkarDlg::done(int nResult) {
  // Nothing is saved while a conversion has emptied the store.
  if (!m_bRecordsForgotten) {
    CSetupStore store;
    if (!store.SaveLastSetup(CaptureSetup(m_calculator), GetPlacement())) {
      std::cerr << "velkar: the setup was not saved: " << store.Error() << '\n';
    }
  }
  QDialog::done(nResult);
}

const CCalculator* CVelkarDlg::ShownCalculation() const {
  return m_bRecordsForgotten ? nullptr : &m_calculator;
}

void CVelkarDlg::OpenGains() {
  if (m_pGains == nullptr) {
    m_pGains = new CGainsDlg([this] { return ShownCalculation(); }, this);
    connect(this, &CVelkarDlg::CalculationShown, m_pGains, &CGainsDlg::Refresh);
  }
  m_pGains->show();
  m_pGains->raise();
  m_pGains->activateWindow();
}

void CVelkarDlg::OpenChart() {
  if (m_pChart == nullptr) {
    m_pChart = new CChartDlg([this] { return ShownCalculation(); }, nullptr, this);
    connect(this, &CVelkarDlg::CalculationShown, m_pChart, &CChartDlg::Refresh);
  }
  m_pChart->Open(std::nullopt, QString(), *this);
}

void CVelkarDlg::OpenRanking() {
  if (m_pRanking == nullptr) {
    RankingSource_t source;
    source.fnCalculation = [this] { return ShownCalculation(); };
    source.fnSelectWeapon = [this](int nWeapon, std::optional<int> nSharpness) {
      m_calculator.SelectWeapon(nWeapon);
      if (nSharpness) m_calculator.ReleaseSharpness(*nSharpness);
      ShowCalculator();
    };
    m_pRanking = new CRankingDlg(std::move(source), this);
    connect(this, &CVelkarDlg::CalculationShown, m_pRanking, &CRankingDlg::Refresh);
  }
  m_pRanking->show();
  m_pRanking->raise();
  m_pRanking->activateWindow();
}

// Pinning puts the loadout on show first in the lineup; unpinning takes the
// pinned loadout away, so the next one, if any, becomes the comparison's first.
void CVelkarDlg::TogglePin() {
  if (m_bRecordsForgotten) return;
  if (m_bPinned) {
    m_lineup.Remove(0);
    m_bPinned = false;
  } else if (!m_arrShownRow.empty() && m_lineup.Add(CurrentLoadout(m_calculator, std::string()))) {
    m_lineup.MakeFirst(m_lineup.GetLoadouts().size() - 1);
    m_bPinned = true;
  }
  ShowBaseline();
  if (m_pComparison != nullptr) m_pComparison->Refresh();
}

bool CVelkarDlg::ShowsBaseline() const {
  const bool bComparing = m_pComparison != nullptr && m_pComparison->isVisible();
  if (!m_bPinned && !bComparing) return false;
  return m_lineup.HasBaselineFor(LoadoutOf(CaptureSetup(m_calculator)).nCategory,
                                 m_bPinned ? 1 : 2);
}

void CVelkarDlg::ShowBaseline() {
  if (m_lineup.IsEmpty()) m_bPinned = false;
  // While a conversion has emptied the store the column stays as it was,
  // without numbers.
  const bool bShow = m_bRecordsForgotten ? m_pBaseline->IsShown() : ShowsBaseline();
  std::vector<std::string> arrDifference;
  if (bShow && !m_bRecordsForgotten) arrDifference = m_lineup.DifferencesToFirst(m_calculator);
  // Named as the comparison names its first column: "A" and the weapon.
  const QString strCaption = FromSjis(txt::kDifferenceNamedCaption);
  m_pBaseline->Show(
      bShow,
      strCaption.arg(
          FromSjis(txt::kCompareColumn).arg(QChar(u'A'), FromSjis(m_lineup.BaselineName()))),
      strCaption.arg(QChar(u'A')), arrDifference);
  FitResultColumns();
  if (m_pMenu == nullptr) return;
  m_pMenu->SetEntryText(kCommandPin,
                        FromSjis(m_bPinned ? txt::kUnpinMenuEntry : txt::kPinMenuEntry));
}

void CVelkarDlg::OpenComparison() {
  if (m_pComparison == nullptr) {
    m_pComparison = new CComparisonDlg(
        m_lineup, [this] { return ShownCalculation(); }, this);
    connect(this, &CVelkarDlg::CalculationShown, m_pComparison, &CComparisonDlg::Refresh);
    connect(m_pComparison, &CComparisonDlg::LineupChanged, this, &CVelkarDlg::ShowBaseline);
    connect(m_pComparison, &QDialog::finished, this, &CVelkarDlg::ShowBaseline);
  }
  // Beside the window, never over its lists and results.
  if (!m_pComparison->isVisible()) MoveBeside(*m_pComparison, *this);
  m_pComparison->show();
  m_pComparison->raise();
  m_pComparison->activateWindow();
  ShowBaseline();
}

void CVelkarDlg::ForgetRecords() {
  // A conversion empties the store; until the reload, nothing on screen may
  // still point at its records (the weapon list paints through them).
  const QSignalBlocker blocker(m_pWeapons);
  m_pWeapons->clear();
  m_arrShownWeapon.clear();
  m_bRecordsForgotten = true;
  emit CalculationShown();
}

void CVelkarDlg::Convert(ConversionOutcome_t (*fnConvert)()) {
  ForgetRecords();
  const ConversionOutcome_t outcome = fnConvert();
  ShowMessage(outcome.strMessage, outcome.bProblem);
  ReloadAll();
}

// ---------------------------------------------------------------------------
// Keys, painting, the report

void CVelkarDlg::keyPressEvent(QKeyEvent* pEvent) {
  const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
  const bool bPlain =
      pEvent->modifiers() == Qt::NoModifier || pEvent->modifiers() == Qt::KeypadModifier;
  if (!bEnter || !bPlain) {
    QDialog::keyPressEvent(pEvent);  // Esc ends the window's run
    return;
  }
  // Enter presses a push button that has the focus; anywhere else the
  // window stays as it is.
  if (auto* pButton = qobject_cast<QPushButton*>(focusWidget())) pButton->click();
  pEvent->accept();
}

void CVelkarDlg::paintEvent(QPaintEvent* pEvent) {
  if (!isMinimized()) {
    QDialog::paintEvent(pEvent);
    return;
  }
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const int nIconSize = style()->pixelMetric(QStyle::PM_LargeIconSize, nullptr, this);
  const QSize iconSize(nIconSize, nIconSize);
  painter.drawPixmap(MinimisedIconOrigin(size(), iconSize), m_icon.pixmap(iconSize));
}

void CVelkarDlg::CopyReport() {
  // Every click on a check box goes through the calculator, so its flags are
  // the marks on screen and it can be read as it is.
  const std::optional<std::string> report = BuildReportFromCalculator(m_calculator);
  if (report) CopyTextToClipboard(*report);
  ShowButtonNote(*m_pReport,
                 FromSjis(report ? txt::kReportCopied : ReportUnavailableReason(m_calculator)));
}
