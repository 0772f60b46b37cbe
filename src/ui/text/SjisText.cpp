#include "text/SjisText.h"

#include "platform/Cp932.h"

QString FromSjis(std::string_view sjis) {
  const std::string utf8 = velkar::SjisToUtf8(sjis);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToSjis(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  const std::u8string_view view(reinterpret_cast<const char8_t*>(utf8.constData()),
                                static_cast<size_t>(utf8.size()));
  return velkar::ToSjis(view);
}

QString LimitToSjisBytes(const QString& text, size_t nMaxBytes) {
  // Every character of code page 932 takes at most two bytes, so a short text
  // needs no conversion.
  if (static_cast<size_t>(text.size()) * 2 <= nMaxBytes) return text;
  const std::string sjis = ToSjis(text);
  if (sjis.size() <= nMaxBytes) return text;
  return FromSjis(std::string_view(sjis).substr(0, velkar::SjisPrefixLength(sjis, nMaxBytes)));
}
