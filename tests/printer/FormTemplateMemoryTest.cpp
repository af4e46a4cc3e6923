// How much memory the form template reader takes for a template whose one
// line is several megabytes long: the line is held once (plus the decoded
// text of an encoded file), never copied or moved while it grows. The whole
// program's allocations are counted through a replaced operator new, switched
// on only around the read.
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "platform/merabase/MeraBpString64.h"
#include "printer/CQuorPrnFormTemplate.h"

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

namespace fs = std::filesystem;

long long PeakWhileReading(const std::string& path, CQuorPrnFormTemplate::Page* page, int32_t* rc) {
  g_live = 0;
  g_peak = 0;
  g_counting = true;
  {
    CQuorPrnFormTemplate reader;
    *rc = reader.Read(path, "FORM", page);
  }
  g_counting = false;
  return g_peak.load();
}

TEST(FormTemplateMemory, LongLineIsHeldOnce) {
  fs::path dir = fs::temp_directory_path() /
                 ("quorprn_tpt_mem_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::create_directories(dir);
  const std::string longLine = "; " + std::string(6 * 1024 * 1024 + 12345, 'x');
  const std::string lines[] = {longLine, "/PAGEINF FORM", "PAPER=PRN_A3X", "/END"};

  std::string plain, encoded;
  for (const std::string& l : lines) {
    plain += l + "\r\n";
    encoded += MeraBpStringEncode64(l) + "\r\n";
  }
  std::ofstream((dir / "plain.TPT").string(), std::ios::binary) << plain;
  std::ofstream((dir / "enc.TPTX").string(), std::ios::binary) << encoded;

  CQuorPrnFormTemplate::Page page;
  int32_t rc = 0;
  const long long slack = 512 * 1024;  // the reader's block and small strings
  long long peak = PeakWhileReading((dir / "plain.TPT").string(), &page, &rc);
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(page.paperNo, 8);
  EXPECT_LT(peak, static_cast<long long>(longLine.size()) + slack);

  // The encoded line and its decoded text, three quarters of its length.
  const long long encodedLine = static_cast<long long>(MeraBpStringEncode64(longLine).size());
  peak = PeakWhileReading((dir / "enc.TPT").string(), &page, &rc);
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(page.paperNo, 8);
  EXPECT_LT(peak, encodedLine + encodedLine * 3 / 4 + slack);

  fs::remove_all(dir);
}

}  // namespace
