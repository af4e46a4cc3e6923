// Code page 932 helpers: the cases where byte-level shortcuts go wrong.
#include <gtest/gtest.h>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/mbcs/Mbcs.h"

using mbcs::Cp932;
using mbcs::Cp932Converter;

TEST(Cp932Conversion, KeepsBackslashAndNecExtensions) {
  // 0x5C stays a backslash (SHIFT_JIS would make it a yen sign); ① is an NEC
  // extension (87 40) that SHIFT_JIS converters reject.
  EXPECT_EQ(Cp932("\\\\srv\\lp"), "\\\\srv\\lp");
  EXPECT_EQ(Cp932("①"), "\x87\x40");
  EXPECT_EQ(Cp932("ソ"), "\x83\x5C");
  std::string back, err;
  ASSERT_TRUE(Cp932Converter::ToUtf8("\x83\x5C\x87\x40", &back, &err)) << err;
  EXPECT_EQ(back, "ソ①");
}

TEST(Cp932Conversion, InvalidInputIsAnErrorNotACrash) {
  std::string out, err;
  EXPECT_FALSE(Cp932Converter::ToUtf8("ab\x83", &out, &err));  // lone lead byte at the end
  EXPECT_NE(err.find("byte 2"), std::string::npos) << err;
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(Cp932Converter::ToUtf8("\x83\x2C", &out, &err));    // 2C is no trail byte
  EXPECT_FALSE(Cp932Converter::FromUtf8("\xE2\x82", &out, &err));  // truncated UTF-8
  EXPECT_FALSE(Cp932Converter::FromUtf8("😀", &out, &err));         // not in code page 932
  EXPECT_EQ(Cp932Converter::ToUtf8Lossy("a\xFF"
                                        "b"),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(Cp932Conversion, LongTextsCrossTheInternalBuffer) {
  std::string utf8;
  for (int i = 0; i < 2000; ++i) utf8 += "あa";
  std::string sjis, back, err;
  ASSERT_TRUE(Cp932Converter::FromUtf8(utf8, &sjis, &err)) << err;
  EXPECT_EQ(sjis.size(), 6000u);
  ASSERT_TRUE(Cp932Converter::ToUtf8(sjis, &back, &err)) << err;
  EXPECT_EQ(back, utf8);
}

TEST(Cp932Case, UpperCasesAsciiAndFullWidthButNeverTrailBytes) {
  EXPECT_EQ(mbcs::ToUpper("abc"), "ABC");
  EXPECT_EQ(mbcs::ToUpper(Cp932("ａｚ")), Cp932("ＡＺ"));
  // "ポ" is 83 7C and "ア" 83 41: trail bytes 'A'..'z' range must not change.
  EXPECT_EQ(mbcs::ToUpper(Cp932("ア") + "a"), Cp932("ア") + "A");
  EXPECT_EQ(mbcs::ToUpper("\x83\x61"), "\x83\x61");  // trail byte that looks like 'a'
  EXPECT_EQ(mbcs::ToUpper("x\x83"), "X\x83");        // lone lead byte at the end kept
}

TEST(Cp932Compare, OrdersByCharacterNotByByte) {
  EXPECT_EQ(mbcs::Compare("abc", "abc"), 0);
  EXPECT_LT(mbcs::Compare("ab", "abc"), 0);
  // Half-width katakana (A1-DF) is single-byte and orders below every
  // double-byte character, although its byte is larger than a lead byte.
  EXPECT_LT(mbcs::Compare("\xB1", Cp932("ア")), 0);
  EXPECT_EQ(mbcs::CompareNoCase(Cp932("ｐｒｎ") + "x", Cp932("ＰＲＮ") + "X"), 0);
  EXPECT_NE(mbcs::CompareNoCase("\x83\x61", "\x83\x41"), 0);
}
