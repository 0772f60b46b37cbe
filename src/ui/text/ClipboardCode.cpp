#include "text/ClipboardCode.h"

#include <QClipboard>
#include <QGuiApplication>

#include "text/SjisText.h"

QString CopyBuildCode(const BuildCode_t& code) {
  CodeError_t error;
  const std::optional<std::string> strCode = EncodeBuildCode(code, error);
  if (!strCode) return FromSjis(DescribeCodeErrorInJapanese(error));
  QGuiApplication::clipboard()->setText(QString::fromStdString(*strCode));
  return {};
}

std::optional<BuildCode_t> PasteBuildCode(QString& strRefusal) {
  CodeError_t error;
  std::optional<BuildCode_t> code =
      DecodeBuildCode(QGuiApplication::clipboard()->text().toStdString(), error);
  if (!code) strRefusal = FromSjis(DescribeCodeErrorInJapanese(error));
  return code;
}
