#include "dialogs/BuildsDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <iostream>
#include <string_view>
#include <unordered_map>
#include "dialogs/VelkarMessage.h"
#include "text/ClipboardCode.h"

#include "VelkarTexts.h"
#include "platform/TextEscape.h"
#include "setup/BuildCode.h"
#include "setup/BuildName.h"
#include "setup/BuildsImportText.h"
#include "setup/SetupMissText.h"
#include "style/DialogFont.h"
#include "text/SetupNoteText.h"
#include "text/SjisText.h"
#include "widgets/ButtonNote.h"

namespace {

QPushButton* AddButton(QDialog* pDialog, const char* pszName, std::string_view strCaption) {
  auto* pButton = new QPushButton(FromSjis(strCaption), pDialog);
  pButton->setObjectName(QString::fromLatin1(pszName));
  pButton->setAutoDefault(false);
  return pButton;
}

// Each build's row: its name on one line, marked "（同名 2/3）" when other
// builds carry it too.
QStringList RowTexts(const std::vector<ListedBuild_t>& arrBuild) {
  std::unordered_map<std::string_view, int> mapCount;
  for (const ListedBuild_t& listed : arrBuild) ++mapCount[listed.build.strName];
  std::unordered_map<std::string_view, int> mapSeen;
  QStringList arrText;
  for (const ListedBuild_t& listed : arrBuild) {
    const QString strName = FromSjis(velkar::EscapeSjisControls(listed.build.strName));
    const int nSame = mapCount[listed.build.strName];
    arrText.append(nSame == 1 ? strName
                              : FromSjis(txt::kBuildsDuplicateMark)
                                    .arg(strName)
                                    .arg(++mapSeen[listed.build.strName])
                                    .arg(nSame));
  }
  return arrText;
}

}  // namespace

CBuildsDlg::CBuildsDlg(CaptureFunction capture, ApplyFunction apply,
                       FingerprintFunction fingerprint, QWidget* pParent)
    : QDialog(pParent),
      m_capture(std::move(capture)),
      m_apply(std::move(apply)),
      m_fingerprint(std::move(fingerprint)) {
  setObjectName(QStringLiteral("buildsDlg"));
  setWindowTitle(FromSjis(txt::kBuildsCaption));
  setModal(false);
  setFont(MakeDialogFont());

  m_pName = new QLineEdit(this);
  m_pName->setObjectName(QStringLiteral("buildName"));
  m_pList = new QListWidget(this);
  m_pList->setObjectName(QStringLiteral("buildList"));
  m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_pNote = new QLabel(this);
  m_pNote->setObjectName(QStringLiteral("buildsNote"));
  m_pNote->setTextFormat(Qt::PlainText);
  m_pNote->setWordWrap(true);
  m_pNote->hide();
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
  pLayout->addWidget(m_pNote, 8, 0, 1, 3);
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
  const std::optional<ListedBuild_t> selected = Selected();
  const CSetupStore store;
  m_arrBuild = store.LoadBuilds();
  if (const std::optional<SetupFileProblem_t>& problem = store.GetProblem()) {
    std::cerr << "velkar: " << DescribeInEnglish(*problem) << '\n';
    ShowNote(FromSjis(txt::kBuildsFileUnusable).arg(DescribeSetupFileProblem(*problem)));
  } else {
    ShowNote(QString());
  }
  {
    const QSignalBlocker blocker(m_pList);
    m_pList->clear();
    m_pList->addItems(RowTexts(m_arrBuild));
    if (selected) {
      SelectWhere(
          [&](const ListedBuild_t& listed) { return listed.strEntry == selected->strEntry; });
    }
  }
  SelectionChanged();
}

void CBuildsDlg::SelectWhere(const std::function<bool(const ListedBuild_t&)>& matches) {
  const auto it = std::find_if(m_arrBuild.begin(), m_arrBuild.end(), matches);
  if (it != m_arrBuild.end()) m_pList->setCurrentRow(static_cast<int>(it - m_arrBuild.begin()));
}

void CBuildsDlg::SelectionChanged() {
  const std::optional<ListedBuild_t> selected = Selected();
  m_pLoad->setEnabled(selected.has_value());
  m_pRename->setEnabled(selected.has_value());
  m_pDelete->setEnabled(selected.has_value());
  m_pCopyCode->setEnabled(!m_pList->selectedItems().isEmpty());
  // Escaped, a name with a line feed can be edited and renamed into a usable one.
  if (selected) m_pName->setText(FromSjis(velkar::EscapeSjisControls(selected->build.strName)));
}

std::optional<ListedBuild_t> CBuildsDlg::Selected() const {
  const int nRow = m_pList->currentRow();
  if (nRow < 0 || static_cast<size_t>(nRow) >= m_arrBuild.size() ||
      !m_pList->item(nRow)->isSelected()) {
    return std::nullopt;
  }
  return m_arrBuild[static_cast<size_t>(nRow)];
}

std::optional<std::string> CBuildsDlg::EnteredName() {
  const BuildNameCheck_t check = CheckBuildName(m_pName->text().trimmed().toStdString());
  switch (check.eResult) {
    case eBUILD_NAME::Ok: return check.strSjis;
    case eBUILD_NAME::Empty: Tell(FromSjis(txt::kBuildsNoName)); break;
    case eBUILD_NAME::ControlCharacter:
      Tell(FromSjis(txt::kBuildsNameControl)
               .arg(QString::fromStdString(velkar::CodePointName(check.cpFault))));
      break;
    case eBUILD_NAME::NotUtf8:
    case eBUILD_NAME::NotSjis:
      Tell(FromSjis(txt::kBuildsNameNotSjis)
               .arg(QString::fromUcs4(&check.cpFault, 1) + QStringLiteral(" (") +
                    QString::fromStdString(velkar::CodePointName(check.cpFault)) +
                    QLatin1Char(')')));
      break;
  }
  return std::nullopt;
}

void CBuildsDlg::SaveCurrent() {
  const std::optional<std::string> strName = EnteredName();
  if (!strName) return;
  CSetupStore store;
  const std::vector<ListedBuild_t> arrSame = store.FindBuilds(*strName);
  if (arrSame.size() > 1) {
    Report(eSTORE_RESULT::Duplicated, store, *strName);
    return;
  }
  if (!arrSame.empty() && !Ask(FromSjis(txt::kBuildsOverwrite).arg(FromSjis(*strName)))) return;
  if (Report(store.SaveBuild({*strName, m_capture()}), store, *strName)) {
    Refresh();
    SelectWhere([&](const ListedBuild_t& listed) { return listed.build.strName == *strName; });
  }
}

void CBuildsDlg::LoadSelected() {
  const std::optional<ListedBuild_t> selected = Selected();
  if (!selected) return;
  // The file may have changed since the list was read: load only the very
  // entry that was chosen.
  const CSetupStore store;
  if (!store.IsUnchanged(*selected)) {
    if (!store.GetProblem()) Report(eSTORE_RESULT::Changed, store, selected->build.strName);
    Refresh();
    return;
  }
  ShowNote(FromSjis(DescribeRestoreMissesInJapanese(m_apply(selected->build.setup), false)));
}

void CBuildsDlg::RenameSelected() {
  const std::optional<ListedBuild_t> selected = Selected();
  const std::optional<std::string> strNewName = selected ? EnteredName() : std::nullopt;
  if (!strNewName || *strNewName == selected->build.strName) return;
  CSetupStore store;
  const eSTORE_RESULT eResult = store.RenameBuild(*selected, *strNewName);
  Report(eResult, store,
         eResult == eSTORE_RESULT::NameTaken ? *strNewName : selected->build.strName);
  m_pList->setCurrentRow(-1);
  Refresh();
  SelectWhere([&](const ListedBuild_t& listed) {
    return eResult == eSTORE_RESULT::Ok
               ? listed.nEntry == selected->nEntry && listed.build.strName == *strNewName
               : listed.strEntry == selected->strEntry;
  });
}

void CBuildsDlg::DeleteSelected() {
  const std::optional<ListedBuild_t> selected = Selected();
  if (!selected || !Ask(FromSjis(txt::kBuildsDeleteQuestion)
                            .arg(FromSjis(velkar::EscapeSjisControls(selected->build.strName))))) {
    return;
  }
  CSetupStore store;
  Report(store.DeleteBuild(*selected), store, selected->build.strName);
  Refresh();
}

void CBuildsDlg::CopyCode() {
  BuildCode_t code;
  code.nFingerprint = m_fingerprint();
  for (int nRow = 0; nRow < m_pList->count(); ++nRow) {
    if (m_pList->item(nRow)->isSelected() && static_cast<size_t>(nRow) < m_arrBuild.size()) {
      code.arrBuild.push_back(m_arrBuild[static_cast<size_t>(nRow)].build);
    }
  }
  if (code.arrBuild.empty()) return;
  const QString strRefusal = CopyBuildCode(code);
  ShowButtonNote(*m_pCopyCode, strRefusal.isEmpty() ? FromSjis(txt::kReportCopied) : strRefusal);
}

// Every build of the code is saved, in one change of the file; a name
// already taken gets the first free one of "name (2)", "name (3)", ..., so
// nothing saved before is replaced. The core words what was done.
void CBuildsDlg::ImportCode() {
  QString strRefusal;
  const std::optional<BuildCode_t> code = PasteBuildCode(strRefusal);
  if (!code) {
    Tell(strRefusal);
    return;
  }
  CSetupStore store;
  BuildsImport_t result;
  const eSTORE_RESULT eResult = store.AddBuilds(code->arrBuild, eTAKEN_NAME::Number, result);
  Refresh();
  if (!Report(eResult, store, {})) return;
  const bool bOtherData = code->nFingerprint != m_fingerprint();
  Tell(FromSjis(DescribeImportInJapanese(code->arrBuild, result, bOtherData)));
}

bool CBuildsDlg::Report(eSTORE_RESULT eResult, const CSetupStore& store,
                        const std::string& strName) {
  const QString strShown = FromSjis(velkar::EscapeSjisControls(strName));
  switch (eResult) {
    case eSTORE_RESULT::Ok: return true;
    case eSTORE_RESULT::Changed: Tell(FromSjis(txt::kBuildsChanged).arg(strShown)); break;
    case eSTORE_RESULT::NameTaken: Tell(FromSjis(txt::kBuildsNameTaken).arg(strShown)); break;
    case eSTORE_RESULT::Duplicated: Tell(FromSjis(txt::kBuildsNameDuplicated).arg(strShown)); break;
    case eSTORE_RESULT::Failed:
      Tell(FromSjis(txt::kBuildsWriteFailed).arg(QString::fromStdString(store.Error())));
      break;
  }
  return false;
}

bool CBuildsDlg::Ask(const QString& strQuestion) {
  return ShowVelkarMessage(this, QMessageBox::Question, FromSjis(txt::kBuildsCaption),
                           strQuestion) == QMessageBox::Ok;
}

void CBuildsDlg::Tell(const QString& strText) {
  ShowVelkarMessage(this, QMessageBox::Warning, FromSjis(txt::kBuildsCaption), strText);
}

void CBuildsDlg::ShowNote(const QString& strText) {
  m_pNote->setText(strText);
  m_pNote->setVisible(!strText.isEmpty());
}
