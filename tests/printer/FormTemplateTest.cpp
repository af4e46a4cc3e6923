// The form template reader: finding the file, the line grammar, sections and
// the paper table, against the files in tests/data/templates and files made
// per case in a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/merabase/MeraBpString64.h"
#include "printer/CQuorPrnFormTemplate.h"

namespace fs = std::filesystem;

namespace {

std::string Data(const std::string& name) { return std::string(QUORPRN_TEST_DATA) + "/templates/" + name; }

class FormTemplate : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("quorprn_tpt_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Encode(const std::string& text) {
    std::string out, line;
    for (char c : text) {
      if (c == '\n') {
        out += MeraBpStringEncode64(line) + "\r\n";
        line.clear();
      } else {
        line += c;
      }
    }
    return out;
  }
  int32_t Read(const std::string& path, const std::string& form) {
    CQuorPrnFormTemplate reader;
    int32_t rc = reader.Read(path, form, &page);
    encoded = reader.IsEncoded();
    return rc;
  }

  fs::path dir;
  CQuorPrnFormTemplate::Page page;
  bool encoded = false;
};

TEST_F(FormTemplate, FixedPaperEndsTheSectionAtItsPaperLine) {
  ASSERT_EQ(Read(Data("forms.TPT"), "ORDER"), 1);
  EXPECT_EQ(page.paperName, "B5X");
  EXPECT_EQ(page.paperNo, 13);
  EXPECT_EQ(page.portrait, 0);
  EXPECT_EQ(page.tableWidth, 2570);
  EXPECT_EQ(page.tableLength, 1820);
  EXPECT_EQ(page.fileLength, 0);  // the line after PAPER is never read

  ASSERT_EQ(Read(Data("forms.TPT"), "LETTER"), 1);
  EXPECT_EQ(page.paperNo, 45);
  EXPECT_EQ(page.portrait, 1);
  EXPECT_EQ(page.tableWidth, 2540);
}

TEST_F(FormTemplate, FreeAndPropertyPapersTakeTheirSizeFromTheSection) {
  ASSERT_EQ(Read(Data("forms.TPT"), "INVOICE"), 1);
  EXPECT_EQ(page.paperNo, 256);
  EXPECT_EQ(page.portrait, 1);
  EXPECT_EQ(page.fileWidth, 1000);
  EXPECT_EQ(page.fileLength, 1500);
  EXPECT_EQ(page.tableWidth, 0);

  ASSERT_EQ(Read(Data("forms.TPT"), "LABEL"), 1);
  EXPECT_EQ(page.paperNo, -1);
  EXPECT_EQ(page.portrait, 0);
  EXPECT_EQ(page.fileWidth, 2000);
  EXPECT_EQ(page.fileLength, 1000);

  // No PAPER line: the starting name is no table row, so A4 without a size.
  ASSERT_EQ(Read(Data("forms.TPT"), "NOPAPER"), 1);
  EXPECT_EQ(page.paperNo, 9);
  EXPECT_EQ(page.portrait, 0);
  EXPECT_EQ(page.tableWidth, 0);

  // Sizes before the paper line count, and a section may end before both.
  std::string p = Write("f.TPT",
                        "/PAGEINF F\r\nPAPERLENGTH=-30\r\nPAPERWIDTH= 2100mm\r\nPAPER=PRN_FREE\r\n"
                        "/PAGEINF G\r\nPAPER=PRN_PROPERTY\r\nPAPERWIDTH=500\r\n/END\r\n");
  ASSERT_EQ(Read(p, "F"), 1);
  EXPECT_EQ(page.fileLength, -30);
  EXPECT_EQ(page.fileWidth, 2100);
  EXPECT_EQ(page.portrait, 0);
  ASSERT_EQ(Read(p, "G"), 1);
  EXPECT_EQ(page.fileWidth, 500);
  EXPECT_EQ(page.fileLength, 0);
}

TEST_F(FormTemplate, CommentsAndDirectivesAreSkippedButOnlyExactCommentMarks) {
  // The INVOICE section inside the comment block would have been A3X.
  ASSERT_EQ(Read(Data("forms.TPT"), "INVOICE"), 1);
  EXPECT_EQ(page.paperName, "FREE");

  // An indented or decorated $REM opens no block: the section after it counts.
  std::string p = Write("c.TPT",
                        "  $REM\r\n$REM \r\n/PAGEINF A\r\nPAPER=PRN_A3Y\r\n/END\r\n"
                        "$REM\r\n/PAGEINF B\r\nPAPER=PRN_A5X\r\n $ENDREM\r\n/END\r\n$ENDREM\r\n"
                        "/PAGEINF B\r\n;PAPER=PRN_A3X\r\n$PAPER=PRN_A3X\r\n\r\nPAPER=PRN_B4X\r\n/END\r\n");
  ASSERT_EQ(Read(p, "A"), 1);
  EXPECT_EQ(page.paperNo, 8);
  EXPECT_EQ(page.portrait, 1);
  ASSERT_EQ(Read(p, "B"), 1);
  EXPECT_EQ(page.paperName, "B4X");
}

TEST_F(FormTemplate, MalformedOrMissingSectionsFailWith130) {
  EXPECT_EQ(Read(Data("bad_header.TPT"), "WANTED"), 130);
  EXPECT_EQ(Read(Data("forms.TPT"), "NOSUCHFORM"), 130);
  EXPECT_EQ(Read(Data("forms.TPT"), "invoice"), 130);  // form names are case-sensitive
  EXPECT_EQ(Read((dir / "missing.TPT").string(), "ORDER"), 130);
  // A header whose form name follows a tab has one token only.
  EXPECT_EQ(Read(Write("t.TPT", "/PAGEINF\tA\r\n/PAGEINF A\r\nPAPER=PRN_A4X\r\n"), "A"), 130);
  // End of file inside the section, and a line of nothing but separators.
  EXPECT_EQ(Read(Write("e.TPT", "/PAGEINF A\r\nPAPER=PRN_FREE\r\nPAPERWIDTH=10\r\n"), "A"), 130);
  EXPECT_EQ(Read(Write("s.TPT", "/PAGEINF A\r\n = ,\r\nPAPER=PRN_A4X\r\n"), "A"), 130);
  // A keyword that acts but has no value.
  EXPECT_EQ(Read(Write("k.TPT", "/PAGEINF A\r\nPAPER\r\n/END\r\n"), "A"), 130);
  // Other keywords without a value are skipped like any unknown word.
  EXPECT_EQ(Read(Write("n.TPT", "/PAGEINF A\r\nNODATA\r\nOFFSET\r\nPAPER=PRN_A5X\r\n"), "A"), 1);
  EXPECT_EQ(page.paperNo, 11);
}

TEST_F(FormTemplate, OnlyTheLineEndThatIsThereIsRemoved) {
  ASSERT_EQ(Read(Data("lf_only.TPT"), "SLIP"), 1);
  EXPECT_EQ(page.paperNo, 12);
  EXPECT_EQ(page.portrait, 1);
  // The last line has no line end and keeps its last characters.
  ASSERT_EQ(Read(Data("lf_only.TPT"), "LAST"), 1);
  EXPECT_EQ(page.paperName, "B5X");
  EXPECT_EQ(page.paperNo, 13);
  // A bare CR inside a line is data, not a line end.
  ASSERT_EQ(Read(Write("cr.TPT", "/PAGEINF A\r\nPAPER=PRN_A4X\r\r\n"), "A"), 1);
  EXPECT_EQ(page.paperName, "A4X\r");
  EXPECT_EQ(page.paperNo, 9);
}

TEST_F(FormTemplate, LinesOfAnyLengthAreReadWhole) {
  const std::string longName(700, 'F');
  const std::string hugeComment = ";" + std::string(200 * 1024, 'x');
  std::string text = hugeComment + "\r\n/PAGEINF " + longName + "\r\nPAPERWIDTH=" + std::string(600, '0') +
                     "2100\r\nPAPER=PRN_FREE\r\nPAPERLENGTH=1480\r\n";
  ASSERT_EQ(Read(Write("long.TPT", text), longName), 1);
  EXPECT_EQ(page.fileWidth, 2100);
  EXPECT_EQ(page.fileLength, 1480);
  EXPECT_EQ(page.portrait, 0);

  // Lines of exactly 511 and 512 characters straddle the old buffer size.
  for (size_t pad : {511u - 14u, 512u - 14u, 65535u - 14u, 65536u - 14u}) {
    std::string header = "PAPER=PRN_A3Y " + std::string(pad, 'z');  // 14 + pad characters
    ASSERT_EQ(Read(Write("edge.TPT", "/PAGEINF A\r\n" + header + "\r\n"), "A"), 1) << pad;
    EXPECT_EQ(page.paperNo, 8);
  }
}

TEST_F(FormTemplate, EncodedFilesAreFoundAndDecodedLineByLine) {
  const std::string plain = "; encoded\n/PAGEINF E\nPAPER=PRN_A5Y\n/END\n";
  // Only the X-appended file exists: it is read as encoded.
  std::string asked = (dir / "only.TPT").string();
  Write("only.TPTX", Encode(plain));
  ASSERT_EQ(Read(asked, "E"), 1);
  EXPECT_TRUE(encoded);
  EXPECT_EQ(page.paperNo, 11);
  EXPECT_EQ(page.portrait, 1);

  // Both exist: the plain file wins.
  Write("both.TPT", "/PAGEINF E\r\nPAPER=PRN_B4X\r\n");
  Write("both.TPTX", Encode(plain));
  ASSERT_EQ(Read((dir / "both.TPT").string(), "E"), 1);
  EXPECT_FALSE(encoded);
  EXPECT_EQ(page.paperNo, 12);

  // Named directly, in any letter case.
  ASSERT_EQ(Read(Data("encoded.TPTX"), "ENCODED"), 1);
  EXPECT_EQ(page.paperNo, 11);
  ASSERT_EQ(Read(Write("lower.tptx", Encode(plain)), "E"), 1);
  EXPECT_TRUE(encoded);

  // A line that is not base64 fails the read.
  std::string bad = Encode("/PAGEINF E\n") + "not base64!\r\n" + Encode("PAPER=PRN_A4X\n");
  EXPECT_EQ(Read(Write("bad.TPTX", bad), "E"), 130);
}

TEST_F(FormTemplate, FileNamesMatchWithoutRegardToLetterCase) {
  Write("invoice.tpt", "/PAGEINF A\r\nPAPER=PRN_A3X\r\n");
  ASSERT_EQ(Read((dir / "INVOICE.TPT").string(), "A"), 1);
  EXPECT_FALSE(encoded);
  EXPECT_EQ(page.paperNo, 8);

  Write("order.tptx", Encode("/PAGEINF A\nPAPER=PRN_A4Y\n"));
  ASSERT_EQ(Read((dir / "Order.Tpt").string(), "A"), 1);
  EXPECT_TRUE(encoded);
  EXPECT_EQ(page.paperNo, 9);
  EXPECT_EQ(page.portrait, 1);

  // Another extension is read as given and is plain.
  Write("form.txt", "/PAGEINF A\r\nPAPER=PRN_B5Y\r\n");
  ASSERT_EQ(Read((dir / "FORM.TXT").string(), "A"), 1);
  EXPECT_FALSE(encoded);
}

}  // namespace
