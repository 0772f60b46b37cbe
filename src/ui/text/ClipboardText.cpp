#include "text/ClipboardText.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/Cp932.h"
#include "text/SjisText.h"

std::string_view ClipboardPart(std::string_view sjis) {
  return sjis.substr(0, velkar::SjisPrefixLength(sjis, kClipboardMaxBytes));
}

void CopyTextToClipboard(std::string_view sjis) {
  QClipboard* pClipboard = QGuiApplication::clipboard();
  if (pClipboard == nullptr) return;
  const std::string_view part = ClipboardPart(sjis);
  auto* pData = new QMimeData;
  pData->setText(FromSjis(part));
  pData->setData(QString::fromLatin1(kSjisMimeType),
                 QByteArray(part.data(), static_cast<qsizetype>(part.size())));
  pClipboard->setMimeData(pData);  // the clipboard takes ownership
}
