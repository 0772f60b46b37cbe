// velkar-tool chart KIND: one of the core's five charts (chart/), drawn as
// SVG on stdout, or to --output FILE (written atomically), or with --json
// the core's velkar-chart document (ResultJson.h). Each KIND is a
// subcommand with the options of the command it charts: loadouts and
// sharpness those of compare (1 to 6 loadouts), gains, motions and target
// those of report; --region NAME charts that region instead of the total
// (sharpness and gains). --width, --font-size and --dark set the drawing's
// style (ChartSvg.h). As compare, a loadout without numbers (shown apart)
// makes the command fail after printing.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CalculationOptions.h"
#include "LoadoutOptions.h"
#include "ToolCommand.h"
#include "chart/ChartBuilders.h"
#include "chart/ChartSvg.h"

class CChartCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // One KIND's subcommand and the options it reads.
  struct Kind_t {
    eCHART_KIND eKind = eCHART_KIND::Loadouts;
    CLI::App* pApp = nullptr;
    CLoadoutOptions loadouts;     // loadouts, sharpness
    CCalculationOptions options;  // gains, motions, target
    CLI::Option* pRegion = nullptr;
  };

  void AddKind(CLI::App& command, eCHART_KIND eKind, const char* pszSummary);

  // Reads a kind's options into the calculator and the core's request (the
  // loadouts compared, the calculation on show, the region), or gives the
  // exit code when there is nothing to chart.
  std::optional<int> AskLoadouts(const ToolContext_t& context, Kind_t& kind,
                                 CCalculator& calculator, ChartRequest_t& request);
  std::optional<int> AskCalculation(const ToolContext_t& context, Kind_t& kind,
                                    CCalculator& calculator, ChartRequest_t& request);

  // Prints the document or the drawing, or writes it to --output.
  int Print(const ToolContext_t& context, const Chart_t& chart) const;

  std::string m_strKind;  // a word given where a kind belongs that is none
  std::vector<std::unique_ptr<Kind_t>> m_arrKind;
  std::string m_strRegion;  // UTF-8, as given
  std::string m_strOutput;
  std::optional<LoadoutComparison_t> m_comparison;  // the loadouts compared, as warned of
  ChartStyle_t m_style;
  bool m_bJson = false;
};
