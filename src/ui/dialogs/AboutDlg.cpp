#include "dialogs/AboutDlg.h"

#include <QLabel>
#include <QPushButton>

#include "Resources.h"
#include "VelkarTexts.h"
#include "style/DialogFont.h"
#include "style/DialogUnits.h"
#include "text/SjisText.h"

namespace {

// The box's layout in dialog units.
constexpr int kWidthDu = 113;
constexpr int kHeightDu = 43;
const QRect kIconDu(2, 2, 18, 21);
const QRect kVersionDu(22, 2, 89, 8);
const QRect kSecondLineDu(22, 12, 78, 8);
const QRect kOkDu(31, 28, 50, 14);
constexpr int kIconSize = 32;

}  // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(FromSjis(txt::kAboutCaption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(MakeDialogFont());
  const DialogBaseUnits_t base = MeasureDialogBaseUnits(font());

  const QIcon icon = LoadApplicationIcon();
  setWindowIcon(icon);
  auto* pIcon = new QLabel(this);
  pIcon->setObjectName(QStringLiteral("aboutIcon"));
  pIcon->setPixmap(icon.pixmap(kIconSize, kIconSize));
  // An icon control takes the size of its icon, whatever the template says.
  pIcon->setGeometry(
      QRect(DialogUnitsToPixels(kIconDu, base).topLeft(), QSize(kIconSize, kIconSize)));

  auto* pVersion = new QLabel(FromSjis(txt::kAboutVersion), this);
  pVersion->setObjectName(QStringLiteral("aboutVersion"));
  pVersion->setTextFormat(Qt::PlainText);
  pVersion->setGeometry(DialogUnitsToPixels(kVersionDu, base));

  auto* pSecondLine = new QLabel(FromSjis(txt::kAboutSecondLine), this);
  pSecondLine->setObjectName(QStringLiteral("aboutSecondLine"));
  pSecondLine->setTextFormat(Qt::PlainText);
  pSecondLine->setGeometry(DialogUnitsToPixels(kSecondLineDu, base));

  auto* pOk = new QPushButton(QStringLiteral("OK"), this);
  pOk->setObjectName(QStringLiteral("ctl1"));
  pOk->setDefault(true);
  pOk->setGeometry(DialogUnitsToPixels(kOkDu, base));
  connect(pOk, &QPushButton::clicked, this, &QDialog::accept);

  setFixedSize(DialogUnitsToPixels(QRect(0, 0, kWidthDu, kHeightDu), base).size());
}

CAboutDlg::~CAboutDlg() = default;
