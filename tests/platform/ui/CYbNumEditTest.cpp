// The numeric edit: what it shows for a value, what it reads back, and what a
// user can type into it.
#include <gtest/gtest.h>

#include <clocale>

#include "platform/ui/CYbNumEdit.h"
#include "tests/support/DialogDriver.h"

namespace {

TEST(CYbNumEditTest, FormatsWithAtMostFiveSignificantDigits) {
  EXPECT_EQ(CYbNumEdit::FormatValue(3.0), "3");
  EXPECT_EQ(CYbNumEdit::FormatValue(0.1 + 0.2), "0.3");  // binary noise never shows
  EXPECT_EQ(CYbNumEdit::FormatValue(999.9), "999.9");
  EXPECT_EQ(CYbNumEdit::FormatValue(-999.9), "-999.9");
  EXPECT_EQ(CYbNumEdit::FormatValue(1234.56), "1234.6");
  EXPECT_EQ(CYbNumEdit::FormatValue(12345.6), "12346");
  EXPECT_EQ(CYbNumEdit::FormatValue(123456.0), "123456");  // no exponent
  EXPECT_EQ(CYbNumEdit::FormatValue(-0.0), "0");
  EXPECT_EQ(CYbNumEdit::FormatValue(-1e-9), "0");
}

TEST(CYbNumEditTest, ReadsAndWritesTextWithADotWhateverTheLocale) {
  // A locale with a decimal comma, where one is installed.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  CYbNumEdit e;
  e.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  e.SetWindowTextValue(-1.5);
  EXPECT_EQ(e.GetWindowText(), "-1.5");
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), -1.5);
  // Writing a text rounds it to the decimal digits and shows exactly that many.
  e.SetWindowText("79.96");
  EXPECT_EQ(e.GetWindowText(), "80.0");
  e.SetWindowText("-100.0");
  EXPECT_EQ(e.GetWindowText(), "-100.0");
  e.SetWindowText("abc");  // not a number: shown as given, read as 0
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), 0.0);
  e.SetWindowText("");
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), 0.0);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(CYbNumEditTest, OneDecimalDigitShowsEveryValueWithExactlyOneDecimal) {
  CYbNumEdit e;
  e.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  const std::pair<const char*, const char*> texts[] = {
      {"80", "80.0"}, {"100.0", "100.0"}, {"-1.5", "-1.5"}, {"0", "0.0"}, {"3", "3.0"},
      {"-0.04", "0.0"}, {"12.35", "12.4"}, {"999.9", "999.9"}, {" 7 ", "7.0"}};
  for (const auto& [given, shown] : texts) {
    e.SetWindowText(given);
    EXPECT_EQ(e.GetWindowText(), shown) << given;
  }
  e.SetWindowTextValue(0.1 + 0.2);
  EXPECT_EQ(e.GetWindowText(), "0.3");
  EXPECT_DOUBLE_EQ(e.GetWindowTextValue(), 0.3);
  e.SetWindowTextValue(-3);
  EXPECT_EQ(e.GetWindowText(), "-3.0");
  // Without decimal digits a value keeps its shortest form.
  CYbNumEdit whole;
  whole.InitEdit(kNumEditNumeric, 0, 3, 0, 0, 999);
  whole.SetWindowText("41.6");
  EXPECT_EQ(whole.GetWindowText(), "42");
  EXPECT_EQ(CYbNumEdit::FormatValue(-1e-9, 1), "0.0");
}

TEST(CYbNumEditTest, TypingIsLimitedToTheDigitsAndSign) {
  CYbNumEdit signedEdit;
  signedEdit.InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  QTest::keyClicks(&signedEdit, "-12a.34");
  EXPECT_EQ(signedEdit.text(), QStringLiteral("-12.3"));
  signedEdit.clear();
  QTest::keyClicks(&signedEdit, "12345");
  EXPECT_EQ(signedEdit.text(), QStringLiteral("123"));

  CYbNumEdit scale;
  scale.InitEdit(kNumEditNumeric, 0, 3, 1, 80.0, 120.0);
  QTest::keyClicks(&scale, "-99.5");
  EXPECT_EQ(scale.text(), QStringLiteral("99.5"));
  EXPECT_DOUBLE_EQ(scale.GetMin(), 80.0);
  EXPECT_DOUBLE_EQ(scale.GetMax(), 120.0);
}

}  // namespace
