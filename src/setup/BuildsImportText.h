// The message that tells the player what an import of builds did, in
// Japanese (Shift-JIS), for the window and the web page alike: how many
// builds were saved, that the code came from other data files, and which
// builds were saved under another name. However many builds an import holds
// and however long their names, the message stays a few short lines.
#pragma once

#include <string>
#include <vector>

#include "setup/Setup.h"
#include "setup/SetupStore.h"

// The builds of the import (as given) and what AddBuilds made of them.
std::string DescribeImportInJapanese(const std::vector<Build_t>& arrAdded,
                                     const BuildsImport_t& result, bool bOtherData);
