#include "text/UnwritableFolderHint.h"

#include <fcntl.h>
#include <unistd.h>

#include "VelkarTexts.h"
#include "text/SjisText.h"

QString UnwritableFolderHint(const std::string& strDir) {
  // The effective user is the one whose writes failed.
  if (faccessat(AT_FDCWD, strDir.c_str(), W_OK, AT_EACCESS) == 0) return QString();
  return QLatin1Char('\n') +
         FromSjis(txt::kConvertUnwritableFolderHint).arg(QString::fromLocal8Bit(strDir));
}
