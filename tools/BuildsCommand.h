// velkar-tool builds: lists the builds that the window and the tool saved
// (see CSetupStore), one line each: name, category, weapon and monster; with
// --json the builds as the file stores them. A builds file that cannot be
// used is named with the reason, and the command fails.
#pragma once

#include "ToolCommand.h"

class CBuildsCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  bool m_bJson = false;
};
