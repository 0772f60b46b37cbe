// velkar-tool gains: for one calculation (the options of report, or --build /
// --code), what each of the 24 modifier boxes and each other sharpness level
// would change: every region's damage and the total, the largest gain first
// (--region NAME: by that region's change). Each line says the click (tick or
// untick a box, which group member ticking replaces, or a sharpness level)
// and the box's effect; --json prints the core's gains document.
#pragma once

#include <string>

#include "CalculationOptions.h"
#include "ToolCommand.h"

class CCalculator;
struct GainTable_t;

class CGainsCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // The row of --region, or a usage error message.
  std::string FindRegion(const CCalculator& calculator, std::optional<size_t>& nRegion) const;

  static std::string TableText(const GainTable_t& table);

  CCalculationOptions m_options;
  CLI::Option* m_pRegion = nullptr;
  std::string m_strRegion;  // UTF-8, as given
  bool m_bJson = false;
};
