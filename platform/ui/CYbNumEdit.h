// A numeric edit: accepts only digits, one decimal point and (when signed) a
// leading minus, within the integer and decimal digits it was set up with.
// Values are shown with at most 5 significant digits and, when the edit has
// decimal digits, with exactly that many of them ("80.0", "-1.5", "0.0"), so
// millimetres and percent always read alike. Text is always read and written
// with '.' whatever the host's locale.
#pragma once

#include <string>

#include "platform/ui/CYbEdit.h"

enum YbNumEditFlags : int {
  kNumEditNumeric = 1,
  kNumEditSigned = 8,
};

class CYbNumEdit : public CYbEdit {
  Q_OBJECT
 public:
  explicit CYbNumEdit(QWidget* parent = nullptr);

  // flags: kNumEditNumeric, plus kNumEditSigned for values below zero.
  // min and max are kept for the dialog to check against; typing is limited
  // by the digits only.
  void InitEdit(int flags, int reserved, int integerDigits, int decimalDigits, double min, double max);
  // 0.0 for an empty or unreadable text.
  double GetWindowTextValue() const;
  // A number is rounded to the decimal digits and shown with exactly that
  // many ("80" shows "80.0" with one; "80" with none); other text is shown
  // unchanged.
  void SetWindowText(const std::string& text) override;
  // The same for a value; without decimal digits it is shown unrounded in its
  // shortest form.
  void SetWindowTextValue(double value);

  double GetMin() const { return min_; }
  double GetMax() const { return max_; }
  int GetDecimalDigits() const { return decimalDigits_; }

  // At most 5 significant digits, '.' as decimal point, never "-0".
  static std::string FormatValue(double value);
  // FormatValue's digits, then exactly `decimalDigits` decimals ("3.0");
  // decimalDigits 0 gives FormatValue.
  static std::string FormatValue(double value, int decimalDigits);
  // Locale-independent; false when text is not a whole number.
  static bool ParseValue(const std::string& text, double* value);

 private:
  int flags_ = kNumEditNumeric;
  int integerDigits_ = 9;
  int decimalDigits_ = 0;
  double min_ = 0.0;
  double max_ = 0.0;
};
