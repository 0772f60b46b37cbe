// CChartDlg: the non-modal chart view. It shows one of the core's five charts
// (chart/ChartBuilders.h) as the core draws it (chart/ChartSvg.h): at the
// width of its picture area, the desktop's font size in pixels and, when its
// palette's window colour is dark, in the dark theme; it only places the
// picture. A kind chooser lists the five kinds in the core's order, a region
// chooser the total or one region of the monster on show, enabled where the
// kind takes one (sharpness, gains). Gains, motions and target chart the
// calculation on show; loadouts and sharpness the loadouts of the window that
// owns the view (the comparison's lineup), or the setup on show alone.
//
// The owner calls Refresh after every change it shows; the view draws again
// when its size or palette changes. Qt SVG renders the picture into an image
// at the screen's device pixel ratio, which the view shows, copies to the
// clipboard and saves as PNG; saved as SVG it is the core's bytes. Files are
// written through the platform's atomic writer.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/ChartBuilders.h"
#include "chart/ChartSvg.h"
#include "setup/LoadoutComparison.h"

class CCalculator;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSvgRenderer;

class CChartDlg : public QDialog {
  Q_OBJECT

public:
  // The calculation on show, or null while there is none to read.
  using CalculationFunction = std::function<const CCalculator*()>;
  // The loadouts that loadouts and sharpness compare.
  using LoadoutsFunction = std::function<std::vector<NamedLoadout_t>()>;

  // Without fnLoadouts the setup on show is the one loadout.
  CChartDlg(CalculationFunction fnCalculation, LoadoutsFunction fnLoadouts, QWidget* pParent);
  ~CChartDlg() override;

  // Shows the chart of a kind (none: the kind chosen last), of the region
  // of that name (empty: the total), opening beside owner, never over it,
  // when the view is not on screen yet.
  void Open(std::optional<eCHART_KIND> eKind, const QString& strRegion, const QWidget& owner);
  // Draws the chart again; nothing while hidden (showing draws it).
  void Refresh();

  // The SVG on show (UTF-8), byte for byte as the core drew it.
  const std::string& GetSvg() const { return m_strSvg; }
  // The picture at the screen's device pixel ratio, as shown, copied and
  // saved as PNG.
  const QImage& GetImage() const { return m_image; }
  void CopyImage();
  // Write the picture to a file; false, after saying why, when it cannot.
  bool SaveSvg(const QString& strPath);
  bool SavePng(const QString& strPath);

protected:
  void showEvent(QShowEvent* pEvent) override;
  void resizeEvent(QResizeEvent* pEvent) override;
  void changeEvent(QEvent* pEvent) override;

private:
  eCHART_KIND Kind() const;
  // The style the core draws with, for a picture nWidth pixels wide.
  ChartStyle_t Style(int nWidth) const;
  // Lists the regions of the monster on show, keeping the chosen one by
  // name; the index of the chosen one, none for the total.
  std::optional<size_t> FillRegions(const CCalculator& calculator);
  // The core's request for the kind chosen: the owner's loadouts, or none for
  // the setup on show; the region chosen (the core ignores it where the kind
  // takes none).
  ChartRequest_t Request(std::optional<size_t> nRegion) const;
  void Show(const Chart_t& chart);
  QImage Render(QSvgRenderer& renderer) const;
  // Asks for a file name and writes the picture there.
  void SaveAs(bool bSvg);
  bool Write(const QString& strPath, const QByteArray& bytes);

  CalculationFunction m_fnCalculation;
  LoadoutsFunction m_fnLoadouts;
  QComboBox* m_pKind = nullptr;
  QLabel* m_pRegionLabel = nullptr;
  QComboBox* m_pRegion = nullptr;
  QScrollArea* m_pScroll = nullptr;
  QLabel* m_pPicture = nullptr;
  QPushButton* m_pCopy = nullptr;
  std::optional<QString> m_strOpenRegion;  // to choose at the next drawing
  std::string m_strSvg;
  QImage m_image;
  int m_nDrawnWidth = 0;  // the picture area's width when the picture was drawn
};
