// The form template reader: the section grammar (table-driven over the files
// in tests/data/templates and inline texts), line ends and lengths, how the
// file is found, and how much memory a line of several megabytes takes. The
// whole program's allocations are counted through a replaced operator new,
// switched on only around one read.
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "platform/merabase/MeraBpString64.h"
#include "printer/CQuorPrnFormTemplate.h"

namespace fs = std::filesystem;

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void Counted(void* p, bool allocated) {
  if (!p || !g_counting.load(std::memory_order_relaxed)) return;
  long long size = static_cast<long long>(malloc_usable_size(p));
  long long live = (g_live += allocated ? size : -size);
  long long peak = g_peak.load();
  while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
  }
}

// The most heap bytes live at once while `run` runs.
template <typename F>
long long PeakDuring(F run) {
  g_live = 0;
  g_peak = 0;
  g_counting = true;
  run();
  g_counting = false;
  return g_peak.load();
}

}  // namespace

void* operator new(std::size_t n) {
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  Counted(p, true);
  return p;
}

void operator delete(void* p) noexcept {
  Counted(p, false);
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

class FormTemplate : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("quorprn_tpt_" + std::to_string(getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream((dir / name).string(), std::ios::binary) << bytes;
    return (dir / name).string();
  }
  // Encodes every LF-ended line of `text`, with CR LF line ends.
  static std::string Encode(const std::string& text) {
    std::string out;
    for (size_t at = 0, lf; (lf = text.find('\n', at)) != std::string::npos; at = lf + 1)
      out += MeraBpStringEncode64(text.substr(at, lf - at)) + "\r\n";
    return out;
  }
  // "rc paperNo portrait width length", the sizes being the table's for a
  // fixed paper and the file's otherwise.
  std::string Read(const std::string& path, const std::string& form,
                   size_t blockSize = CQuorPrnFormTemplate::kDefaultBlockSize) {
    CQuorPrnFormTemplate reader(blockSize);
    CQuorPrnFormTemplate::Page p;
    int32_t rc = reader.Read(path, form, &p);
    encoded = reader.IsEncoded();
    bool sized = p.paperNo == 256 || p.paperNo == -1;
    return std::to_string(rc) + " " + std::to_string(p.paperNo) + " " + std::to_string(p.portrait) + " " +
           std::to_string(sized ? p.fileWidth : p.tableWidth) + " " +
           std::to_string(sized ? p.fileLength : p.tableLength);
  }
  fs::path dir;
  bool encoded = false;
};

std::string Data(const std::string& name) { return std::string(QUORPRN_TEST_DATA) + "/templates/" + name; }

TEST_F(FormTemplate, SectionsGiveTheirPaper) {
  const std::string forms = Data("forms.TPT");
  EXPECT_EQ(Read(forms, "ORDER"), "1 13 0 2570 1820");     // ends at PAPER, without /END
  EXPECT_EQ(Read(forms, "INVOICE"), "1 256 1 1000 1500");  // not the commented-out A3X
  EXPECT_EQ(Read(forms, "LABEL"), "1 -1 0 2000 1000");     // indented lines, ";" after blanks
  EXPECT_EQ(Read(forms, "NOPAPER"), "1 9 0 0 0");          // no PAPER: A4 without a size
  EXPECT_EQ(Read(forms, "LETTER"), "1 45 1 2540 2794");
  EXPECT_EQ(Read(forms, "invoice"), "130 9 0 0 0");                  // form names are case-sensitive
  EXPECT_EQ(Read(Data("bad_header.TPT"), "WANTED"), "130 9 0 0 0");  // three tokens end the search
  EXPECT_EQ(Read(Data("lf_only.TPT"), "SLIP"), "1 12 1 2570 3640");
  // The last line has no line end and keeps its last characters.
  EXPECT_EQ(Read(Data("lf_only.TPT"), "LAST"), "1 13 0 2570 1820");

  const std::pair<const char*, const char*> cases[] = {
      // sizes before the paper line count; values are read like atoi
      {"/PAGEINF F\r\nPAPERLENGTH=-30\r\nPAPERWIDTH= 2100mm\r\nPAPER=PRN_FREE\r\n", "1 256 0 2100 -30"},
      {"/PAGEINF F\r\nPAPER=PRN_PROPERTY\r\nPAPERWIDTH=500\r\n/END\r\n", "1 -1 0 500 0"},
      // indented or decorated $REM opens no block; ";" and "$" lines are skipped
      {"  $REM\r\n$REM \r\n/PAGEINF F\r\n;PAPER=PRN_A3X\r\n$PAPER=PRN_A3X\r\n\r\nPAPER=PRN_A3Y\r\n", "1 8 1 2970 4200"},
      {"$REM\r\n/PAGEINF F\r\nPAPER=PRN_A5X\r\n $ENDREM\r\n$ENDREM\r\n/PAGEINF F\r\nPAPER=PRN_B4X\r\n",
       "1 12 0 3640 2570"},
      {"/PAGEINF\tF\r\n/PAGEINF F\r\nPAPER=PRN_A4X\r\n", "130 9 0 0 0"},     // a tab does not separate
      {"/PAGEINF F\r\nPAPER=PRN_FREE\r\nPAPERWIDTH=10\r\n", "130 9 0 0 0"},  // file ends in the section
      {"/PAGEINF F\r\n = ,\r\nPAPER=PRN_A4X\r\n", "130 9 0 0 0"},            // a line without tokens
      {"/PAGEINF F\r\nPAPER\r\n/END\r\n", "130 9 0 0 0"},                    // an acting keyword without value
      {"/PAGEINF F\r\nNODATA\r\nOFFSET\r\nPAPER=PRN_A5X\r\n", "1 11 0 2100 1480"},
      {"/PAGEINF F\r\nPAPER=PRN_A4X\r\r\n", "1 9 0 0 0"},  // a bare CR is data: "A4X\r" is no table row
  };
  // Tiny read blocks put a block's end inside every line and every CR LF.
  for (const auto& [text, want] : cases) {
    const std::string path = Write("c.TPT", text);
    for (size_t block : {CQuorPrnFormTemplate::kDefaultBlockSize, size_t{1}, size_t{7}})
      EXPECT_EQ(Read(path, "F", block), want) << text << " block " << block;
  }
}

TEST(PaperTable, SizesComeFromTheRowOfTheFormsOrientation) {
  auto size = [](int32_t paper, int32_t portrait) {
    int32_t w = -1, l = -1;
    bool found = CQuorPrnFormTemplate::TableSize(paper, portrait, &w, &l);
    return std::to_string(found) + " " + std::to_string(w) + "x" + std::to_string(l);
  };
  EXPECT_EQ(size(9, 1), "1 2100x2970");
  EXPECT_EQ(size(9, 0), "1 2970x2100");
  EXPECT_EQ(size(46, 1), "1 3810x2794");  // papers with one row only are found from either start
  for (int32_t paper : {256, -1, 1}) EXPECT_EQ(size(paper, 1), "0 0x0") << paper;
}

TEST_F(FormTemplate, LinesOfAnyLengthAreReadWhole) {
  const std::string longName(700, 'F');
  std::string text = ";" + std::string(200 * 1024, 'x') + "\r\n/PAGEINF " + longName +
                     "\r\nPAPERWIDTH=" + std::string(600, '0') + "2100\r\nPAPER=PRN_FREE\r\nPAPERLENGTH=1480\r\n";
  EXPECT_EQ(Read(Write("long.TPT", text), longName), "1 256 0 2100 1480");
  // Around the first buffer's size and the read block's size.
  for (size_t length : {511u, 512u, 65535u, 65536u, 65537u}) {
    std::string line = "PAPER=PRN_A3Y " + std::string(length - 14, 'z');
    EXPECT_EQ(Read(Write("edge.TPT", "/PAGEINF A\n" + line + "\n"), "A"), "1 8 1 2970 4200") << length;
  }
}

TEST_F(FormTemplate, FilesAreFoundInAnyLetterCaseWithTheEncodedFallback) {
  const std::string plain = "/PAGEINF E\nPAPER=PRN_A5Y\n/END\n";
  Write("only.tptx", Encode(plain));
  EXPECT_EQ(Read((dir / "ONLY.TPT").string(), "E"), "1 11 1 1480 2100");
  EXPECT_TRUE(encoded);
  Write("both.TPT", "/PAGEINF E\r\nPAPER=PRN_B4X\r\n");  // both exist: the plain file wins
  Write("both.TPTX", Encode(plain));
  EXPECT_EQ(Read((dir / "both.tpt").string(), "E"), "1 12 0 3640 2570");
  EXPECT_FALSE(encoded);
  EXPECT_EQ(Read(Data("encoded.TPTX"), "ENCODED"), "1 11 1 1480 2100");
  Write("form.txt", Encode(plain));  // another extension is read as given, plain
  EXPECT_EQ(Read((dir / "FORM.TXT").string(), "E"), "130 9 0 0 0");
  // A line that is not base64 fails the read.
  std::string bad = Encode("/PAGEINF E\n") + "not base64!\r\n" + Encode("PAPER=PRN_A4X\n");
  EXPECT_EQ(Read(Write("bad.TPTX", bad), "E"), "130 9 0 0 0");
  EXPECT_EQ(Read((dir / "missing.TPT").string(), "E"), "130 9 0 0 0");
}

// The line is held once (plus the decoded text of an encoded file), never
// copied or moved while it grows.
TEST_F(FormTemplate, LongLineIsHeldOnce) {
  const std::string longLine = "; " + std::string(6 * 1024 * 1024 + 12345, 'x');
  const std::string plain = Write("plain.TPT", longLine + "\r\n/PAGEINF FORM\r\nPAPER=PRN_A3X\r\n/END\r\n");
  Write("enc.TPTX", Encode(longLine + "\n/PAGEINF FORM\nPAPER=PRN_A3X\n/END\n"));
  const long long slack = 512 * 1024;  // the reader's block and small strings
  std::string got;
  EXPECT_LT(PeakDuring([&] { got = Read(plain, "FORM"); }), static_cast<long long>(longLine.size()) + slack);
  EXPECT_EQ(got, "1 8 0 4200 2970");
  // The encoded line and its decoded text, three quarters of its length.
  const long long encodedLine = static_cast<long long>(MeraBpStringEncode64(longLine).size());
  EXPECT_LT(PeakDuring([&] { got = Read((dir / "enc.TPT").string(), "FORM"); }),
            encodedLine + encodedLine * 3 / 4 + slack);
  EXPECT_EQ(got, "1 8 0 4200 2970");
}

}  // namespace
