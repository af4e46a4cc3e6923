// The line coding of encoded template files: interchangeable with any standard
// base64 encoder, lossless for every byte, and strict about damaged lines.
#include <gtest/gtest.h>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/merabase/MeraBpString64.h"

TEST(Base64Line, MatchesTheStandardVectorsAndPadding) {
  // The encodings of the first 0 to 6 characters of "foobar", then the two
  // characters beyond the letters and digits.
  const char* encoded[] = {"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy", "+/8="};
  for (size_t n = 0; n < 8; ++n) {
    const std::string plain = n < 7 ? std::string("foobar", n) : "\xFB\xFF";
    EXPECT_EQ(MeraBpStringEncode64(plain), encoded[n]);
    std::string back;
    EXPECT_TRUE(MeraBpStringDecode64(encoded[n], &back)) << encoded[n];
    EXPECT_EQ(back, plain);
  }
}

TEST(Base64Line, RoundTripsEveryByte) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (size_t cut = 0; cut < 4; ++cut) {
    std::string plain = all.substr(cut);
    EXPECT_EQ(MeraBpStringDecode64(MeraBpStringEncode64(plain)), plain);
  }
  std::string line = mbcs::Cp932("PAPER=用紙ソ表") + std::string(1, '\0') + "\r";
  EXPECT_EQ(MeraBpStringDecode64(MeraBpStringEncode64(line)), line);
}

TEST(Base64Line, DamagedLinesAreRejectedAndYieldNothing) {
  const char* bad[] = {"Zg=",    "Zg",     "Zm9vY", "Z===",     "====", "=Zg=", "Zg=a", "Zm=v",
                       "Zm9v\r", "Zm9v\n", "Zm 9",  "Zm9v====", "Zh==", "Zm9=", "-_8=", "Zm\x80v"};
  for (const char* line : bad) {
    std::string out = "left over";
    EXPECT_FALSE(MeraBpStringDecode64(line, &out)) << line;
    EXPECT_TRUE(out.empty()) << line;
    EXPECT_EQ(MeraBpStringDecode64(line), "") << line;
  }
  std::string embeddedNul("Zm9v\0Zg==", 9);
  std::string out;
  EXPECT_FALSE(MeraBpStringDecode64(embeddedNul, &out));
}
