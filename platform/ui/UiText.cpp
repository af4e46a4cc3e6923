// Conversion through the code page 932 converter; UTF-8 is the only encoding
// that QString is ever built from here.
#include "platform/ui/UiText.h"

#include "platform/mbcs/Cp932Converter.h"

QString UiText::ToQt(std::string_view cp932) {
  const std::string utf8 = mbcs::Cp932Converter::ToUtf8Lossy(cp932);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string UiText::FromQt(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return mbcs::Cp932Converter::FromUtf8Lossy(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QString UiText::Literal(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
