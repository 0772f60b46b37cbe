#include "style/DialogFont.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>

namespace {

// In order of preference. Fontconfig lists some families under their
// Japanese and their Latin name, so both are tried.
const QStringList& PreferredFamilies() {
  static const QStringList arrFamily = {QString::fromUtf8("ＭＳ Ｐゴシック"),
                                        QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                        QString::fromUtf8("IPA Pゴシック")};
  return arrFamily;
}

}  // namespace

QString ChooseDialogFontFamily(const QStringList& arrInstalled,
                               const std::function<bool(const QString&)>& canWriteJapanese) {
  for (const QString& strPreferred : PreferredFamilies()) {
    if (arrInstalled.contains(strPreferred, Qt::CaseInsensitive)) return strPreferred;
  }
  for (const QString& strFamily : arrInstalled) {
    if (canWriteJapanese(strFamily)) return strFamily;
  }
  return QString();
}

QFont MakeDialogFont() {
  const QString strFamily =
      ChooseDialogFontFamily(QFontDatabase::families(), [](const QString& strCandidate) {
        return QFontDatabase::writingSystems(strCandidate).contains(QFontDatabase::Japanese);
      });
  QFont font;
  if (!strFamily.isEmpty()) font.setFamilies({strFamily});
  font.setPointSizeF(std::max<qreal>(kDialogFontPointSize, QGuiApplication::font().pointSizeF()));
  return font;
}
