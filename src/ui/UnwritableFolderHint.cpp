#include "UnwritableFolderHint.h"

#include <unistd.h>

#include "SjisText.h"
#include "VelkarTexts.h"
#include "data/DataManager.h"

QString UnwritableFolderHint() {
  const std::string& strDir = CDataManager::GetInstance().GetDataDirectory();
  if (access(strDir.c_str(), W_OK) == 0) return QString();
  return QLatin1Char('\n') +
         FromSjis(txt::kConvertUnwritableFolderHint).arg(QString::fromLocal8Bit(strDir));
}
