// The one road by which text crosses between the library's code page 932
// strings and Qt's QString. Nothing else in the dialog layer may build a
// QString from bytes: the library is compiled with QT_NO_CAST_FROM_ASCII so
// that a stray char* cannot be read as UTF-8 by accident.
#pragma once

#include <QString>
#include <string>
#include <string_view>

class UiText {
 public:
  // Invalid bytes show as U+FFFD rather than losing the rest of the text.
  static QString ToQt(std::string_view cp932);
  // Characters without a code page 932 form become '?'.
  static std::string FromQt(const QString& text);
  // A readable (UTF-8) literal of the library's own, for Qt only.
  static QString Literal(std::string_view utf8);
};
