#include "dialogs/BuildsDlg.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "setup/BuildCode.h"
#include "style/DialogFont.h"
#include "text/SetupMessageText.h"
#include "text/SjisText.h"
#include "widgets/ButtonNote.h"

namespace {

QPushButton* AddButton(QDialog* pDialog, const char* pszName, std::string_view strCaption) {
  auto* pButton = new QPushButton(FromSjis(strCaption), pDialog);
  pButton->setObjectName(QString::fromLatin1(pszName));
  pButton->setAutoDefault(false);
  return pButton;
}

}  // namespace

CBuildsDlg::CBuildsDlg(CaptureFunction capture, ApplyFunction apply, QWidget* pParent)
    : QDialog(pParent), m_capture(std::move(capture)), m_apply(std::move(apply)) {
  setObjectName(QStringLiteral("buildsDlg"));
  setWindowTitle(FromSjis(txt::kBuildsCaption));
  setModal(false);
  setFont(MakeDialogFont());

  m_pName = new QLineEdit(this);
  m_pName->setObjectName(QStringLiteral("buildName"));
  m_pList = new QListWidget(this);
  m_pList->setObjectName(QStringLiteral("buildList"));
  m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* pNameLabel = new QLabel(FromSjis(txt::kBuildsNameLabel), this);
  pNameLabel->setBuddy(m_pName);
  auto* pListLabel = new QLabel(FromSjis(txt::kBuildsListLabel), this);
  pListLabel->setBuddy(m_pList);
  QPushButton* pSave = AddButton(this, "buildSave", txt::kBuildsSave);
  m_pLoad = AddButton(this, "buildLoad", txt::kBuildsLoad);
  m_pRename = AddButton(this, "buildRename", txt::kBuildsRename);
  m_pDelete = AddButton(this, "buildDelete", txt::kBuildsDelete);
  m_pCopyCode = AddButton(this, "buildCopyCode", txt::kBuildsCopyCode);
  QPushButton* pImport = AddButton(this, "buildImportCode", txt::kBuildsImportCode);

  auto* pLayout = new QGridLayout(this);
  pLayout->addWidget(pNameLabel, 0, 0);
  pLayout->addWidget(m_pName, 0, 1);
  pLayout->addWidget(pSave, 0, 2);
  pLayout->addWidget(pListLabel, 1, 0, 1, 2);
  pLayout->addWidget(m_pList, 2, 0, 6, 2);
  pLayout->addWidget(m_pLoad, 2, 2);
  pLayout->addWidget(m_pRename, 3, 2);
  pLayout->addWidget(m_pDelete, 4, 2);
  pLayout->addWidget(m_pCopyCode, 5, 2);
  pLayout->addWidget(pImport, 6, 2);
  pLayout->setRowStretch(7, 1);

  connect(pSave, &QPushButton::clicked, this, &CBuildsDlg::SaveCurrent);
  connect(m_pName, &QLineEdit::returnPressed, this, &CBuildsDlg::SaveCurrent);
  connect(m_pLoad, &QPushButton::clicked, this, &CBuildsDlg::LoadSelected);
  connect(m_pList, &QListWidget::itemActivated, this, &CBuildsDlg::LoadSelected);
  connect(m_pRename, &QPushButton::clicked, this, &CBuildsDlg::RenameSelected);
  connect(m_pDelete, &QPushButton::clicked, this, &CBuildsDlg::DeleteSelected);
  connect(m_pCopyCode, &QPushButton::clicked, this, &CBuildsDlg::CopyCode);
  connect(pImport, &QPushButton::clicked, this, &CBuildsDlg::ImportCode);
  connect(m_pList, &QListWidget::itemSelectionChanged, this, &CBuildsDlg::SelectionChanged);
  SelectionChanged();
}

CBuildsDlg::~CBuildsDlg() = default;

void CBuildsDlg::showEvent(QShowEvent* pEvent) {
  Refresh();
  QDialog::showEvent(pEvent);
}

void CBuildsDlg::Refresh() {
  const std::optional<std::string> strSelected = SelectedName();
  m_arrBuild = CSetupStore().LoadBuilds();
  const QSignalBlocker blocker(m_pList);
  m_pList->clear();
  for (const Build_t& build : m_arrBuild) {
    m_pList->addItem(FromSjis(build.strName));
    if (build.strName == strSelected) m_pList->setCurrentRow(m_pList->count() - 1);
  }
  SelectionChanged();
}

void CBuildsDlg::SelectionChanged() {
  const std::optional<std::string> strSelected = SelectedName();
  m_pLoad->setEnabled(strSelected.has_value());
  m_pRename->setEnabled(strSelected.has_value());
  m_pDelete->setEnabled(strSelected.has_value());
  m_pCopyCode->setEnabled(!m_pList->selectedItems().isEmpty());
  if (strSelected) m_pName->setText(FromSjis(*strSelected));
}

std::optional<std::string> CBuildsDlg::SelectedName() const {
  const int nRow = m_pList->currentRow();
  if (nRow < 0 || static_cast<size_t>(nRow) >= m_arrBuild.size() ||
      !m_pList->item(nRow)->isSelected()) {
    return std::nullopt;
  }
  return m_arrBuild[static_cast<size_t>(nRow)].strName;
}

std::optional<std::string> CBuildsDlg::EnteredName() {
  const QString strName = m_pName->text().trimmed();
  if (strName.isEmpty()) {
    Tell(FromSjis(txt::kBuildsNoName));
    return std::nullopt;
  }
  std::string strSjis = ToSjis(strName);
  if (FromSjis(strSjis) != strName) {
    Tell(FromSjis(txt::kBuildsNameNotSjis).arg(strName));
    return std::nullopt;
  }
  return strSjis;
}

void CBuildsDlg::SaveCurrent() {
  const std::optional<std::string> strName = EnteredName();
  if (!strName) return;
  CSetupStore store;
  if (store.FindBuild(*strName) && !Ask(FromSjis(txt::kBuildsOverwrite).arg(FromSjis(*strName)))) {
    return;
  }
  if (Report(store.SaveBuild({*strName, m_capture()}), store, *strName)) {
    Refresh();
    const auto it = std::find_if(m_arrBuild.begin(), m_arrBuild.end(),
                                 [&](const Build_t& build) { return build.strName == *strName; });
    if (it != m_arrBuild.end()) m_pList->setCurrentRow(static_cast<int>(it - m_arrBuild.begin()));
  }
}

void CBuildsDlg::LoadSelected() {
  const std::optional<std::string> strName = SelectedName();
  if (!strName) return;
  // Read again: the tool may have changed the build since the list was shown.
  const std::optional<Build_t> build = CSetupStore().FindBuild(*strName);
  if (!build) {
    Report(eSTORE_RESULT::NotFound, CSetupStore(), *strName);
    Refresh();
    return;
  }
  m_apply(build->setup);
}

void CBuildsDlg::RenameSelected() {
  const std::optional<std::string> strName = SelectedName();
  const std::optional<std::string> strNewName = strName ? EnteredName() : std::nullopt;
  if (!strNewName || *strNewName == *strName) return;
  CSetupStore store;
  const eSTORE_RESULT eResult = store.RenameBuild(*strName, *strNewName);
  Report(eResult, store, eResult == eSTORE_RESULT::NameTaken ? *strNewName : *strName);
  m_pList->setCurrentRow(-1);
  Refresh();
  const auto it = std::find_if(m_arrBuild.begin(), m_arrBuild.end(), [&](const Build_t& build) {
    return build.strName == (eResult == eSTORE_RESULT::Ok ? *strNewName : *strName);
  });
  if (it != m_arrBuild.end()) m_pList->setCurrentRow(static_cast<int>(it - m_arrBuild.begin()));
}

void CBuildsDlg::DeleteSelected() {
  const std::optional<std::string> strName = SelectedName();
  if (!strName || !Ask(FromSjis(txt::kBuildsDeleteQuestion).arg(FromSjis(*strName)))) return;
  CSetupStore store;
  Report(store.DeleteBuild(*strName), store, *strName);
  Refresh();
}

void CBuildsDlg::CopyCode() {
  BuildCode_t code;
  code.nFingerprint = CDataManager::GetInstance().GetDataFingerprint();
  for (int nRow = 0; nRow < m_pList->count(); ++nRow) {
    if (m_pList->item(nRow)->isSelected() && static_cast<size_t>(nRow) < m_arrBuild.size()) {
      code.arrBuild.push_back(m_arrBuild[static_cast<size_t>(nRow)]);
    }
  }
  if (code.arrBuild.empty()) return;
  CodeError_t error;
  const std::optional<std::string> strCode = EncodeBuildCode(code, error);
  if (strCode) QGuiApplication::clipboard()->setText(QString::fromStdString(*strCode));
  ShowButtonNote(*m_pCopyCode, strCode ? FromSjis(txt::kReportCopied) : DescribeCodeRefusal(error));
}

// Every build of the code is saved; a name already taken gets the first free
// one of "name (2)", "name (3)", ..., so nothing saved before is replaced.
void CBuildsDlg::ImportCode() {
  CodeError_t error;
  const std::optional<BuildCode_t> code =
      DecodeBuildCode(QGuiApplication::clipboard()->text().toStdString(), error);
  if (!code) {
    Tell(DescribeCodeRefusal(error));
    return;
  }
  CSetupStore store;
  QStringList arrSaved;
  QStringList arrRenamed;
  for (const Build_t& build : code->arrBuild) {
    std::string strName = build.strName;
    for (int nCopy = 2; store.FindBuild(strName); ++nCopy) {
      strName = build.strName + " (" + std::to_string(nCopy) + ")";
    }
    if (!Report(store.SaveBuild({strName, build.setup}), store, strName)) break;
    arrSaved.append(FromSjis(strName));
    if (strName != build.strName) {
      arrRenamed.append(
          FromSjis(txt::kBuildsImportRenamed).arg(FromSjis(build.strName), FromSjis(strName)));
    }
  }
  Refresh();
  if (arrSaved.isEmpty()) return;
  QStringList arrLine{FromSjis(txt::kBuildsImported).arg(arrSaved.join(QStringLiteral("、")))};
  if (code->nFingerprint != CDataManager::GetInstance().GetDataFingerprint()) {
    arrLine.append(FromSjis(txt::kCodeOtherData));
  }
  Tell((arrLine + arrRenamed).join(u'\n'));
}

bool CBuildsDlg::Report(eSTORE_RESULT eResult, const CSetupStore& store,
                        const std::string& strName) {
  switch (eResult) {
    case eSTORE_RESULT::Ok: return true;
    case eSTORE_RESULT::NotFound:
      Tell(FromSjis(txt::kBuildsNotFound).arg(FromSjis(strName)));
      break;
    case eSTORE_RESULT::NameTaken:
      Tell(FromSjis(txt::kBuildsNameTaken).arg(FromSjis(strName)));
      break;
    case eSTORE_RESULT::Failed:
      Tell(FromSjis(txt::kBuildsWriteFailed).arg(QString::fromStdString(store.Error())));
      break;
  }
  return false;
}

bool CBuildsDlg::Ask(const QString& strQuestion) {
  QMessageBox box(QMessageBox::Question, FromSjis(txt::kBuildsCaption), strQuestion,
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("velkarMessage"));
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

void CBuildsDlg::Tell(const QString& strText) {
  QMessageBox box(QMessageBox::Warning, FromSjis(txt::kBuildsCaption), strText, QMessageBox::Ok,
                  this);
  box.setObjectName(QStringLiteral("velkarMessage"));
  box.exec();
}
