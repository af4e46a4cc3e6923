// Spooler documents of absurd size or shape: each is refused with a message
// that says why, instead of exhausting memory or the stack, and leaves an
// empty printer list.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/spooler/VirtualSpooler.h"

using spooler::VirtualSpooler;

namespace {

void ExpectRefused(const std::shared_ptr<VirtualSpooler>& s, const std::string& why) {
  EXPECT_NE(s->LoadError().find(why), std::string::npos) << s->LoadError();
  std::vector<spooler::PrinterEntry> list;
  std::string err;
  s->Enumerate(&list, &err);
  EXPECT_TRUE(list.empty());
}

std::string Repeat(const std::string& item, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += (i ? "," : "") + item;
  return out;
}

}  // namespace

TEST(VirtualSpoolerBounds, OversizedDocumentIsRefusedUnread) {
  std::string big = "{\"printers\": []}" + std::string((4u << 20) + 1, ' ');
  ExpectRefused(VirtualSpooler::FromJson(big, "big.json"), "larger than 4 MiB");

  std::string path = (std::filesystem::temp_directory_path() /
                      ("quorprn_big_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".json"))
                         .string();
  std::ofstream(path, std::ios::binary) << big;
  ExpectRefused(VirtualSpooler::FromFile(path), "larger than 4 MiB");
  std::remove(path.c_str());
}

TEST(VirtualSpoolerBounds, AbsurdListsAreRefusedWithTheirName) {
  ExpectRefused(VirtualSpooler::FromJson(R"({"printers": [)" + Repeat(R"({"name": "p"})", 4097) + "]}"),
                "\"printers\" has more than 4096 entries");
  ExpectRefused(
      VirtualSpooler::FromJson(R"({"printers": [{"name": "p", "papers": [)" + Repeat("[9, \"A4\"]", 4097) + "]}]}"),
      "\"papers\" has more than 4096 entries");
  ExpectRefused(
      VirtualSpooler::FromJson(R"({"printers": [{"name": "p", "binNames": [)" + Repeat("\"b\"", 4097) + "]}]}"),
      "\"binNames\" has more than 4096 entries");
  // Many small values within the size bound: stopped while parsing.
  ExpectRefused(VirtualSpooler::FromJson(R"({"printers": [{"name": "p", "bins": [)" + Repeat("0", 300000) + "]}]}"),
                "more than 200000 values");
}

TEST(VirtualSpoolerBounds, DeepNestingIsRefusedWithoutRecursion) {
  // A nested value in a list whose bad entries are quoted in the message.
  const size_t depth = 200000;
  std::string nested = std::string(depth, '[') + std::string(depth, ']');
  ExpectRefused(VirtualSpooler::FromJson(R"({"printers": [{"name": "p", "fail": [)" + nested + "]}]}"),
                "nested deeper than 16 levels");
  // A document that loads is far from the bound.
  EXPECT_EQ(VirtualSpooler::FromJson(R"({"printers": [{"name": "p", "papers": [[9, "A4"]],
                                       "devmode": {"paper": 9}}]})")
                ->LoadError(),
            "");
}
