// std::to_chars and std::from_chars keep the text independent of the locale
// that QApplication installs from the environment (a German host would
// otherwise see "3,5").
#include "platform/ui/CYbNumEdit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <charconv>
#include <cmath>

#include "platform/ui/UiText.h"

CYbNumEdit::CYbNumEdit(QWidget* parent) : CYbEdit(parent) { setAlignment(Qt::AlignRight | Qt::AlignVCenter); }

void CYbNumEdit::InitEdit(int flags, int /*reserved*/, int integerDigits, int decimalDigits, double min, double max) {
  flags_ = flags;
  integerDigits_ = integerDigits > 0 ? integerDigits : 1;
  decimalDigits_ = decimalDigits > 0 ? decimalDigits : 0;
  min_ = std::min(min, max);
  max_ = std::max(min, max);
  const bool sign = (flags & kNumEditSigned) != 0;
  std::string pattern = "^";
  if (sign) pattern += "-?";
  pattern += "[0-9]{0," + std::to_string(integerDigits_) + "}";
  if (decimalDigits_ > 0) pattern += "(\\.[0-9]{0," + std::to_string(decimalDigits_) + "})?";
  pattern += "$";
  setValidator(new QRegularExpressionValidator(QRegularExpression(UiText::ToQt(pattern)), this));
  SetLimitText((sign ? 1 : 0) + integerDigits_ + (decimalDigits_ > 0 ? 1 + decimalDigits_ : 0));
}

double CYbNumEdit::GetWindowTextValue() const {
  double v = 0.0;
  return ParseValue(GetWindowText(), &v) ? v : 0.0;
}

void CYbNumEdit::SetWindowText(const std::string& text) {
  double v = 0.0;
  if (!ParseValue(text, &v)) {
    CYbEdit::SetWindowText(text);
    return;
  }
  if (decimalDigits_ == 0) v = std::round(v);
  CYbEdit::SetWindowText(FormatValue(v, decimalDigits_));
}

void CYbNumEdit::SetWindowTextValue(double value) { CYbEdit::SetWindowText(FormatValue(value, decimalDigits_)); }

std::string CYbNumEdit::FormatValue(double value, int decimalDigits) {
  std::string s = FormatValue(value);
  if (decimalDigits <= 0) return s;
  double v = 0.0;
  if (!ParseValue(s, &v)) return s;
  const double scale = std::pow(10.0, decimalDigits);
  v = std::round(v * scale) / scale;
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimalDigits);
  s.assign(buf, end);
  if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
  return s;
}

std::string CYbNumEdit::FormatValue(double value) {
  if (!std::isfinite(value)) return "0";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 5);
  std::string s(buf, end);
  if (s.find('e') != std::string::npos) {
    // Beyond 5 digits before the point: whole number rather than an exponent.
    auto [e2, ec2] = std::to_chars(buf, buf + sizeof buf, std::round(value), std::chars_format::fixed, 0);
    s.assign(buf, e2);
  }
  if (s == "-0") s = "0";
  return s;
}

bool CYbNumEdit::ParseValue(const std::string& text, double* value) {
  const char* first = text.data();
  const char* last = first + text.size();
  while (first < last && *first == ' ') ++first;
  while (last > first && last[-1] == ' ') --last;
  if (first == last) return false;
  auto [ptr, ec] = std::from_chars(first, last, *value, std::chars_format::fixed);
  return ec == std::errc() && ptr == last;
}
