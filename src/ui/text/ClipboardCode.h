// Build codes through the clipboard: the code of some builds put there, and
// the builds of the code found there. The core reads and writes the code; a
// refusal comes back in its Japanese words.
#pragma once

#include <QString>
#include <optional>

#include "setup/BuildCode.h"

// Puts the code of these builds on the clipboard; the reason it could not be
// written, or an empty text when it is there.
QString CopyBuildCode(const BuildCode_t& code);

// The builds of the code on the clipboard, or nothing and strRefusal set to
// why the text there is no code this version opens.
std::optional<BuildCode_t> PasteBuildCode(QString& strRefusal);
