// velkar-tool dump FILE.dat: prints a data file as the INI source that the
// converter turns back into the same file, byte for byte. The file's kind
// comes from its name: Monster.dat, or a category's stem (Sword.dat ...).
//
// The file's own values are printed whole (4-byte values, not the records'
// low bits). The printed source is checked by reading it back the way the
// converter does, after the trip through the output encoding. A file that no
// source can give (a motion without values, rates no letter can set, names
// the converter changes, line ends other than CR LF, bytes after the last
// list, a file that ends early) is printed as the nearest source, with a
// warning on stderr for each difference, and the exit code is 1.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ToolCommand.h"

class CDumpCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // The category of a weapon data file's name, or -1 for Monster.dat; none
  // for any other name.
  static std::optional<int> KindOfFile(const std::string& strFileName);

  // Prints the source of the bytes and the warnings; the exit code.
  template <typename DataFile, typename Contents>
  static int Dump(const ToolContext_t& context, const std::string& strPath,
                  const std::vector<uint8_t>& arrBytes);

  std::string m_strFile;
};
