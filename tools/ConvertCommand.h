// velkar-tool convert [weapons|monsters|all]: the conversions of the window's
// system menu. The weapon sources of the categories are converted in the
// order of the category table, each on its own: a source that is absent or
// cannot be read, or a data file that cannot be written, leaves that data
// file as it was and is named with the reason, and the others are converted
// all the same; the monster source is converted on its own. One line per
// source file with the counts written, one line per skipped entry; exit 0
// only when every data file was written.
#pragma once

#include <string>

#include "ToolCommand.h"

struct ConvertReport_t;
struct DataConversion_t;

class CConvertCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // Prints the outcome of each file converted; true when every one was written.
  static bool PrintReports(const CToolOutput& output, const DataConversion_t& conversion,
                           const char* const (&arrNoun)[3]);
  static void PrintReport(const CToolOutput& output, const ConvertReport_t& report,
                          const char* const (&arrNoun)[3]);

  std::string m_strWhich = "all";
};
