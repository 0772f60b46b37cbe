#include "dialogs/ChartDlg.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <utility>

#include "BesidePlacement.h"
#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "chart/ChartBuilders.h"
#include "data/DataManager.h"
#include "dialogs/VelkarMessage.h"
#include "platform/AtomicFileWriter.h"
#include "style/DialogFont.h"
#include "text/SjisText.h"
#include "widgets/ButtonNote.h"
#include "widgets/RegionChooser.h"

namespace {

// Below this lightness of the window colour the palette is a dark theme.
constexpr int kDarkLightness = 128;

// The view's first size, in pixels of the dialog font: room for a chart of a
// dozen regions without scrolling.
constexpr int kWidthEm = 50;
constexpr int kHeightEm = 40;

}  // namespace

CChartDlg::CChartDlg(CalculationFunction fnCalculation, LoadoutsFunction fnLoadouts,
                     QWidget* pParent)
    : QDialog(pParent),
      m_fnCalculation(std::move(fnCalculation)),
      m_fnLoadouts(std::move(fnLoadouts)) {
  setObjectName(QStringLiteral("chartDlg"));
  setWindowTitle(FromSjis(txt::kChartCaption));
  setModal(false);
  setFont(MakeDialogFont());

  m_pKind = new QComboBox(this);
  m_pKind->setObjectName(QStringLiteral("chartKind"));
  for (const eCHART_KIND eKind : kChartKinds)
    m_pKind->addItem(FromSjis(ChartKindCaption(eKind)), static_cast<int>(eKind));
  auto* pKindLabel = new QLabel(FromSjis(txt::kChartKindLabel), this);
  pKindLabel->setBuddy(m_pKind);
  m_pRegion = new QComboBox(this);
  m_pRegion->setObjectName(QStringLiteral("chartRegion"));
  m_pRegion->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_pRegionLabel = new QLabel(FromSjis(txt::kTableDamageLabel), this);
  m_pRegionLabel->setBuddy(m_pRegion);

  m_pPicture = new QLabel;
  m_pPicture->setObjectName(QStringLiteral("chartPicture"));
  m_pScroll = new QScrollArea(this);
  m_pScroll->setObjectName(QStringLiteral("chartScroll"));
  m_pScroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  m_pScroll->setWidget(m_pPicture);

  const auto AddButton = [this](const char* pszName, std::string_view strCaption) {
    auto* pButton = new QPushButton(FromSjis(strCaption), this);
    pButton->setObjectName(QString::fromLatin1(pszName));
    pButton->setAutoDefault(false);
    return pButton;
  };
  m_pCopy = AddButton("chartCopy", txt::kChartCopyImage);
  QPushButton* pSaveSvg = AddButton("chartSaveSvg", txt::kChartSaveSvg);
  QPushButton* pSavePng = AddButton("chartSavePng", txt::kChartSavePng);

  auto* pChoosers = new QHBoxLayout;
  for (QWidget* pWidget :
       std::initializer_list<QWidget*>{pKindLabel, m_pKind, m_pRegionLabel, m_pRegion})
    pChoosers->addWidget(pWidget);
  pChoosers->addStretch();
  auto* pButtons = new QHBoxLayout;
  pButtons->addStretch();
  for (QPushButton* pButton : {m_pCopy, pSaveSvg, pSavePng}) pButtons->addWidget(pButton);
  auto* pLayout = new QVBoxLayout(this);
  pLayout->addLayout(pChoosers);
  pLayout->addWidget(m_pScroll, 1);
  pLayout->addLayout(pButtons);
  const int nEm = QFontInfo(font()).pixelSize();
  resize(kWidthEm * nEm, kHeightEm * nEm);

  connect(m_pKind, &QComboBox::currentIndexChanged, this, &CChartDlg::Refresh);
  connect(m_pRegion, &QComboBox::currentIndexChanged, this, &CChartDlg::Refresh);
  connect(m_pCopy, &QPushButton::clicked, this, &CChartDlg::CopyImage);
  connect(pSaveSvg, &QPushButton::clicked, this, [this] { SaveAs(true); });
  connect(pSavePng, &QPushButton::clicked, this, [this] { SaveAs(false); });
}

CChartDlg::~CChartDlg() = default;

void CChartDlg::Open(std::optional<eCHART_KIND> eKind, const QString& strRegion,
                     const QWidget& owner) {
  m_strOpenRegion = strRegion;
  if (!isVisible()) MoveBeside(*this, owner);
  const QSignalBlocker blocker(m_pKind);
  if (eKind) m_pKind->setCurrentIndex(m_pKind->findData(static_cast<int>(*eKind)));
  Refresh();
  show();
  raise();
  activateWindow();
}

void CChartDlg::showEvent(QShowEvent* pEvent) {
  QDialog::showEvent(pEvent);
  Refresh();
}

void CChartDlg::resizeEvent(QResizeEvent* pEvent) {
  QDialog::resizeEvent(pEvent);
  if (m_pScroll->maximumViewportSize().width() != m_nDrawnWidth) Refresh();
}

void CChartDlg::changeEvent(QEvent* pEvent) {
  QDialog::changeEvent(pEvent);
  // A dark theme or a larger font of the desktop draws the chart anew.
  if (pEvent->type() == QEvent::PaletteChange || pEvent->type() == QEvent::ApplicationFontChange)
    Refresh();
}

eCHART_KIND CChartDlg::Kind() const {
  return static_cast<eCHART_KIND>(m_pKind->currentData().toInt());
}

ChartStyle_t CChartDlg::Style(int nWidth) const {
  ChartStyle_t style;
  style.nWidth = nWidth;
  style.nFontSize = QFontInfo(QApplication::font()).pixelSize();
  style.bDark = palette().color(QPalette::Window).lightness() < kDarkLightness;
  return style;
}

void CChartDlg::Refresh() {
  if (!isVisible()) return;
  // Without a calculation to read the picture stays as it was.
  const CCalculator* pCalculator = m_fnCalculation();
  if (pCalculator == nullptr) return;
  const bool bRegion = ChartTakesRegion(Kind());
  m_pRegionLabel->setEnabled(bRegion);
  m_pRegion->setEnabled(bRegion);
  const std::optional<size_t> nRegion = FillRegions(*pCalculator);
  // The region list's new width places the picture area before it is measured.
  layout()->activate();
  Show(MakeChart(pCalculator->GetStore(), *pCalculator, Request(nRegion)));
}

std::optional<size_t> CChartDlg::FillRegions(const CCalculator& calculator) {
  QStringList arrRegion;
  if (const CMonster* pMonster = calculator.GetSelectedMonster()) {
    for (int i = 0; i < pMonster->GetRegionCount(); ++i)
      arrRegion.append(FromSjis(pMonster->GetRegionName(i)));
  }
  return FillRegionChooser(*m_pRegion, arrRegion, std::exchange(m_strOpenRegion, std::nullopt));
}

ChartRequest_t CChartDlg::Request(std::optional<size_t> nRegion) const {
  ChartRequest_t request;
  request.eKind = Kind();
  request.nRegion = nRegion;
  if (m_fnLoadouts) request.arrLoadout = m_fnLoadouts();
  return request;
}

void CChartDlg::Show(const Chart_t& chart) {
  // The chart is drawn for the width of the picture area; when it comes out
  // taller than the area, again for the width beside the vertical scroll bar,
  // so that it never needs a horizontal one unless it must grow wider.
  const QSize area = m_pScroll->maximumViewportSize();
  m_nDrawnWidth = area.width();
  m_strSvg = ChartSvg(chart, Style(area.width()));
  QSvgRenderer renderer(QByteArray::fromStdString(m_strSvg));
  if (renderer.defaultSize().height() > area.height()) {
    const int nBar =
        m_pScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_pScroll);
    m_strSvg = ChartSvg(chart, Style(area.width() - nBar));
    renderer.load(QByteArray::fromStdString(m_strSvg));
  }
  m_image = Render(renderer);
  m_pPicture->setPixmap(QPixmap::fromImage(m_image));
  m_pPicture->resize(renderer.defaultSize());
  m_pPicture->setAccessibleName(
      FromSjis(chart.strTitle.empty() ? chart.strEmpty.value_or(std::string()) : chart.strTitle));
  m_pPicture->setAccessibleDescription(FromSjis(chart.strDescription));
}

QImage CChartDlg::Render(QSvgRenderer& renderer) const {
  const qreal dRatio = devicePixelRatioF();
  const QSize size = renderer.defaultSize();
  QImage image(size * dRatio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(dRatio);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter, QRectF(QPointF(), QSizeF(size)));
  return image;
}

void CChartDlg::CopyImage() {
  QGuiApplication::clipboard()->setImage(m_image);
  ShowButtonNote(*m_pCopy, FromSjis(txt::kReportCopied));
}

void CChartDlg::SaveAs(bool bSvg) {
  const QString strSuffix = QString::fromLatin1(bSvg ? "svg" : "png");
  QFileDialog dialog(this, windowTitle(), QString(),
                     FromSjis(bSvg ? txt::kChartSvgFilter : txt::kChartPngFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(strSuffix);
  dialog.selectFile(
      QStringLiteral("velkar-%1.%2").arg(QString::fromLatin1(ChartKindName(Kind())), strSuffix));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString strPath = dialog.selectedFiles().constFirst();
  if (bSvg) {
    SaveSvg(strPath);
  } else {
    SavePng(strPath);
  }
}

bool CChartDlg::SaveSvg(const QString& strPath) {
  return Write(strPath, QByteArray::fromStdString(m_strSvg));
}

bool CChartDlg::SavePng(const QString& strPath) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  m_image.save(&buffer, "PNG");
  return Write(strPath, bytes);
}

bool CChartDlg::Write(const QString& strPath, const QByteArray& bytes) {
  velkar::CAtomicFileWriter writer(QFile::encodeName(strPath).toStdString());
  if (writer.Open() && writer.Commit(std::vector<uint8_t>(bytes.begin(), bytes.end()))) return true;
  ShowVelkarMessage(this, QMessageBox::Warning, FromSjis(txt::kChartCaption),
                    FromSjis(txt::kChartSaveFailed).arg(QString::fromStdString(writer.Error())));
  return false;
}
