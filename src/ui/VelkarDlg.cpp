#include "VelkarDlg.h"

#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include "dialogs/VelkarMessage.h"

#include "BaselinePin.h"
#include "BesidePlacement.h"
#include "CalculatorMirror.h"
#include "Resources.h"
#include "SetupCommands.h"
#include "SystemMenu.h"
#include "VelkarTexts.h"
#include "WindowMenu.h"
#include "calc/ReportText.h"
#include "data/DataConversion.h"
#include "data/DataManager.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/BreakdownDlg.h"
#include "dialogs/BuildsDlg.h"
#include "dialogs/ChartDlg.h"
#include "dialogs/ComparisonDlg.h"
#include "dialogs/GainsDlg.h"
#include "dialogs/RankingDlg.h"
#include "setup/SetupMissText.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"
#include "style/DialogFont.h"
#include "text/ClipboardText.h"
#include "text/LoadErrorText.h"
#include "text/SetupNoteText.h"
#include "text/SjisText.h"
#include "text/UnwritableFolderHint.h"
#include "widgets/ButtonNote.h"
#include "widgets/ColorListCtrl.h"
#include "widgets/MinimisedIcon.h"
#include "widgets/ModifierTips.h"
#include "widgets/ResultRows.h"
#include "widgets/SharpnessSlider.h"
#include "widgets/WeaponListBox.h"

namespace {

const QSize kReportBitmapSize(15, 13);

// The row of a list box's selected entry, or NO_SELECTION.
int SelectedRow(const QListWidget* pList) {
  const QList<QListWidgetItem*> arrItem = pList->selectedItems();
  return arrItem.isEmpty() ? NO_SELECTION : pList->row(arrItem.first());
}

}  // namespace

CVelkarDlg::CVelkarDlg(const std::string& strDataDir, QWidget* pParent)
    : QDialog(pParent),
      m_pStore(std::make_unique<CDataManager>(strDataDir)),
      m_calculator(*m_pStore),
      m_icon(LoadApplicationIcon()) {
  setObjectName(QStringLiteral("velkarDlg"));
  setWindowTitle(FromSjis(txt::kWindowCaption));
  // A frame that can be resized, with title, system menu, maximise and
  // close box; no minimise box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(MakeDialogFont());
  m_controls = CControlFactory(*this).Create();
  m_pMirror = std::make_unique<CCalculatorMirror>(m_controls, m_calculator);
  m_pRows = std::make_unique<CResultRows>(*m_controls.pResult, m_calculator);
  m_pPin = std::make_unique<CBaselinePin>(*m_pRows);
  m_pSetupCommands = std::make_unique<CSetupCommands>(
      SetupWindow_t{&m_calculator, [this] { ShowCalculator(true); }, m_controls.pReport, this});
  ConnectControls();
  ShowCalculator(true);

  m_pMenu = std::make_unique<CWindowMenu>(*this, [this](int nCommand) { OnSysCommand(nCommand); });
  setWindowIcon(m_icon);
  m_controls.pReport->setIcon(QIcon(LoadReportBitmap()));
  m_controls.pReport->setIconSize(kReportBitmapSize);
  m_growth.Capture(*this);
  ReloadAll();
  m_pSetupCommands->ResetHistory();
}

CVelkarDlg::~CVelkarDlg() = default;

QMenu* CVelkarDlg::GetSystemMenu() const {
  return m_pMenu->GetMenu();
}

QWidget* CVelkarDlg::GetControl(int nId) const {
  return findChild<QWidget*>(CControlFactory::ControlName(nId), Qt::FindDirectChildrenOnly);
}

// ---------------------------------------------------------------------------
// Routing the controls' events to the calculator

void CVelkarDlg::ConnectControls() {
  connect(m_controls.pCategory, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectCategory(nIndex);
    ShowCalculator(true);
  });
  connect(m_controls.pWeapons, &QListWidget::currentRowChanged, this, [this](int nRow) {
    m_calculator.SelectWeapon(nRow);
    ShowCalculator();
  });
  connect(m_controls.pChosen, &QListWidget::currentRowChanged, this, [this](int nRow) {
    m_calculator.SelectChosenMotion(nRow);
    ShowCalculator();
  });
  connect(m_controls.pAdd, &QPushButton::clicked, this, &CVelkarDlg::AddSelectedMotion);
  connect(m_controls.pRemove, &QPushButton::clicked, this, &CVelkarDlg::RemoveSelectedMotion);
  connect(m_controls.pAvailable, &QListWidget::itemDoubleClicked, this,
          &CVelkarDlg::AddSelectedMotion);
  m_controls.pAvailable->installEventFilter(this);
  m_controls.pChosen->installEventFilter(this);
  connect(m_controls.pClear, &QPushButton::clicked, this, [this] {
    m_calculator.ClearChosenMotions();
    ShowCalculator();
  });
  connect(m_controls.pMonster, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectMonster(nIndex);
    ShowCalculator();
  });
  connect(m_controls.pLevel, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectLevel(nIndex);
    ShowCalculator();
  });
  connect(m_controls.pHitCorrection, &QComboBox::currentIndexChanged, this, [this](int nIndex) {
    m_calculator.SelectHitCorrection(nIndex);
    ShowCalculator();
  });
  // A drag changes the position only, and its mouse release recalculates
  // (eventFilter); a move from the keyboard or the wheel is complete at once,
  // so it runs the release's operation straight away.
  connect(m_controls.pSharpness, &QSlider::valueChanged, this, [this](int nPosition) {
    if (m_controls.pSharpness->isSliderDown()) {
      m_calculator.SetSharpnessPosition(nPosition);
    } else {
      m_calculator.ReleaseSharpness(nPosition);
    }
    ShowCalculator();
  });
  m_controls.pSharpness->installEventFilter(this);
  connect(m_controls.pResult, &CColorListCtrl::RowOpened, this, &CVelkarDlg::OpenBreakdown);
  m_controls.pReport->setToolTip(FromSjis(txt::kReportButtonTip));
  connect(m_controls.pReport, &QPushButton::clicked, this, &CVelkarDlg::CopyReport);
  connect(m_controls.pAnger, &QCheckBox::clicked, this, [this](bool bChecked) {
    m_calculator.SetAnger(bChecked);
    ShowCalculator();
  });
  auto* pTips = new CModifierTips([this] { return ShownCalculation(); }, this);
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    QCheckBox* pCheck =
        m_controls.arrModifier[static_cast<size_t>(nId - CCalculator::kFirstModifierId)];
    pTips->Attach(pCheck, nId);
    connect(pCheck, &QCheckBox::clicked, this, [this, nId](bool bChecked) {
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
  if (pWatched == m_controls.pSharpness && pEvent->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton) {
    // Seen before the slider handles the release; the slider tracks the
    // mouse, so its value already is the final one (also after a click on
    // the groove, which moved it on the press).
    m_calculator.ReleaseSharpness(m_controls.pSharpness->value());
    ShowCalculator();
  }
  return QDialog::eventFilter(pWatched, pEvent);
}

void CVelkarDlg::AddSelectedMotion() {
  m_calculator.AddChosenMotion(SelectedRow(m_controls.pAvailable));
  ShowCalculator();
}

void CVelkarDlg::RemoveSelectedMotion() {
  m_calculator.RemoveChosenMotion(SelectedRow(m_controls.pChosen));
  ShowCalculator();
}

// Enter on an available motion adds it, Delete on a chosen one removes it,
// as the buttons beside the lists do.
bool CVelkarDlg::HandleMotionListKey(const QObject* pList, const QKeyEvent& event) {
  const bool bEnter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
  if (pList == m_controls.pAvailable && bEnter) {
    AddSelectedMotion();
    return true;
  }
  if (pList == m_controls.pChosen && event.key() == Qt::Key_Delete) {
    RemoveSelectedMotion();
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// Showing the calculator

void CVelkarDlg::ShowCalculator(bool bRefill) {
  m_pMirror->Show(bRefill);
  m_pRows->Show();
  ShowBaseline();
  if (m_pSetupCommands) m_pSetupCommands->Shown();
  emit CalculationShown();
}

void CVelkarDlg::OpenBreakdown(int nRow) {
  if (m_pBreakdown == nullptr) {
    m_pBreakdown = new CBreakdownDlg([this](int nShown) { return m_pRows->Explain(nShown); }, this);
    connect(this, &CVelkarDlg::CalculationShown, m_pBreakdown, &CBreakdownDlg::Refresh);
  }
  m_pBreakdown->ShowRow(nRow);
}

// ---------------------------------------------------------------------------
// Reloading, the system menu and its commands

void CVelkarDlg::ReloadAll() {
  m_pStore->LoadAll();
  m_calculator.LoadAll();
  ShowCalculator(true);
  ReportLoadErrors();
}

void CVelkarDlg::ReportLoadErrors() {
  QString strErrors = DescribeLoadErrors(m_pStore->GetLoadErrors());
  // Without any data file the first start says where they belong.
  if (strErrors.isEmpty() && !isVisible()) strErrors = DescribeMissingData(*m_pStore);
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
    case kCommandConvertWeapons: Convert(false); break;
    case kCommandConvertMonsters: Convert(true); break;
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
                               [this](const Setup_t& setup) { return ApplySetup(setup); },
                               [this] { return m_pStore->GetDataFingerprint(); }, this);
  }
  // Shown again it reads the builds anew; already on screen, it is told to.
  if (m_pBuilds->isVisible()) m_pBuilds->Refresh();
  m_pBuilds->show();
  m_pBuilds->raise();
  m_pBuilds->activateWindow();
}

std::vector<RestoreMiss_t> CVelkarDlg::ApplySetup(const Setup_t& setup) {
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
  if (m_pRows) m_pRows->FitColumns();
}

void CVelkarDlg::done(int nResult) {
  CSetupStore store;
  if (!store.SaveLastSetup(CaptureSetup(m_calculator), GetPlacement())) {
    std::cerr << "velkar: the setup was not saved: " << store.Error() << '\n';
  }
  QDialog::done(nResult);
}

const CCalculator* CVelkarDlg::ShownCalculation() const {
  return &m_calculator;
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

bool CVelkarDlg::IsBaselinePinned() const {
  return m_pPin->IsPinned();
}

void CVelkarDlg::TogglePin() {
  m_pPin->Toggle(m_calculator);
  ShowBaseline();
  if (m_pComparison != nullptr) m_pComparison->Refresh();
}

void CVelkarDlg::ShowBaseline() {
  m_pPin->Show(ShownCalculation(), m_pComparison != nullptr && m_pComparison->isVisible());
  if (m_pMenu == nullptr) return;
  m_pMenu->SetEntryText(kCommandPin,
                        FromSjis(m_pPin->IsPinned() ? txt::kUnpinMenuEntry : txt::kPinMenuEntry));
}

void CVelkarDlg::OpenComparison() {
  if (m_pComparison == nullptr) {
    m_pComparison = new CComparisonDlg(
        m_pPin->GetLineup(), [this] { return ShownCalculation(); }, this);
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

void CVelkarDlg::Convert(bool bMonsters) {
  // The records on show stay until a new store holds the converted data.
  auto pStore = std::make_unique<CDataManager>(m_pStore->GetDataDirectory());
  const DataConversion_t conversion =
      bMonsters ? ConvertMonsterSource(*pStore) : ConvertWeaponSources(*pStore);
  QString strText = FromSjis(conversion.strMessage);
  if (!conversion.bAllWritten) strText += UnwritableFolderHint(pStore->GetDataDirectory());
  if (!conversion.bAnyWritten) {
    ShowMessage(strText, true);
    return;
  }
  pStore->LoadAll();
  const std::string strMisses =
      DescribeRestoreMissesInJapanese(MoveToStore(m_calculator, *pStore), false);
  std::swap(m_pStore, pStore);
  ShowCalculator(true);
  pStore.reset();  // the old records: nothing on screen points at them any more
  if (!strMisses.empty()) strText += QStringLiteral("\n\n") + FromSjis(strMisses);
  ShowMessage(strText, !conversion.bAllWritten);
  ReportLoadErrors();
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
  ShowButtonNote(*m_controls.pReport,
                 FromSjis(report ? txt::kReportCopied : ReportUnavailableReason(m_calculator)));
}
