// The JSON-described spooler: documents that load, documents that must be
// refused with the line a human has to fix, documents of absurd size or shape
// (refused with a message that says why instead of exhausting memory or the
// stack), and injected failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"

using spooler::PrinterEntry;
using spooler::VirtualSpooler;

namespace {
std::string Data(const std::string& name) { return std::string(QUORPRN_TEST_DATA) + "/spooler/" + name; }

std::vector<PrinterEntry> Listed(VirtualSpooler& s) {
  std::vector<PrinterEntry> list;
  std::string err;
  EXPECT_TRUE(s.Enumerate(&list, &err)) << err;
  return list;
}

// Refused for `why`, with an empty printer list.
void ExpectRefused(const std::shared_ptr<VirtualSpooler>& s, const std::string& why) {
  EXPECT_NE(s->LoadError().find(why), std::string::npos) << s->LoadError();
  EXPECT_TRUE(Listed(*s).empty());
}

std::string Repeat(const std::string& item, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) out += (i ? "," : "") + item;
  return out;
}
}  // namespace

TEST(VirtualSpoolerLoad, DemoFileGivesItsPrintersInOrderAsCp932) {
  auto s = VirtualSpooler::FromFile(Data("demo.json"));
  ASSERT_EQ(s->LoadError(), "");
  auto list = Listed(*s);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].name, "Office Laser");
  const PrinterEntry& a3 = list[1];
  EXPECT_EQ(a3.name + "|" + a3.location, mbcs::Cp932("経理部 A3カラー|3F 経理部"));
  EXPECT_EQ(std::vector<int>({int(a3.status), a3.paper, a3.orientation}), std::vector<int>({1, 8, 2}));
  EXPECT_EQ(list[3].status, 0x88u);
  std::string def, err;
  EXPECT_TRUE(s->DefaultPrinter(&def, &err));
  EXPECT_EQ(def, "Office Laser");
  std::vector<std::string> names;
  ASSERT_TRUE(s->Capabilities(list[1].name, DC_BINNAMES, nullptr, &names, &err)) << err;
  EXPECT_EQ(names,
            (std::vector<std::string>{mbcs::Cp932("自動選択"), mbcs::Cp932("トレイ 1"), mbcs::Cp932("トレイ 2")}));
}

TEST(VirtualSpoolerLoad, BrokenDocumentsNameFileLineAndCauseAndListNothing) {
  struct Case {
    const char* file;
    int line;
    const char* cause;
  };
  const Case cases[] = {
      {"bad_syntax.json", 4, "expected"},  // missing comma between printers
      {"bad_status.json", 5, "\"status\" must be a whole number"},
      {"bad_name.json", 4, "code page 932"},  // an emoji has no code page 932 form
      {"bad_field.json", 4, "unknown printer field \"binnames\""},
      {"bad_fail.json", 1, "\"print\""},
      {"bad_paper.json", 3, "out of range"},
      {"truncated.json", 1, "unexpected end of input"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    testing::internal::CaptureStderr();
    auto s = VirtualSpooler::FromFile(Data(c.file));
    std::string printed = testing::internal::GetCapturedStderr();
    const std::string where = Data(c.file) + ":" + std::to_string(c.line) + ": ";
    EXPECT_EQ(s->LoadError().rfind(where, 0), 0u) << s->LoadError();
    EXPECT_NE(s->LoadError().find(c.cause), std::string::npos) << s->LoadError();
    EXPECT_EQ(printed, "quorprn: spooler: " + s->LoadError() + "\n");
    EXPECT_TRUE(Listed(*s).empty());
    std::string def, err;
    EXPECT_FALSE(s->DefaultPrinter(&def, &err));
  }
}

TEST(VirtualSpoolerLoad, UnreadableFileAndNonObjectDocumentsAreErrorsNotCrashes) {
  testing::internal::CaptureStderr();
  auto missing = VirtualSpooler::FromFile(Data("no-such-file.json"));
  auto folder = VirtualSpooler::FromFile(QUORPRN_TEST_DATA);
  auto array = VirtualSpooler::FromJson("[1, 2]", "inline");
  auto empty = VirtualSpooler::FromJson("", "inline");
  auto deep = VirtualSpooler::FromJson(std::string(20000, '[') + std::string(20000, ']'), "deep");
  testing::internal::GetCapturedStderr();
  EXPECT_NE(missing->LoadError().find("no-such-file.json: cannot be read"), std::string::npos);
  EXPECT_NE(folder->LoadError(), "");
  EXPECT_EQ(array->LoadError().rfind("inline:1: ", 0), 0u) << array->LoadError();
  EXPECT_NE(empty->LoadError(), "");
  EXPECT_NE(deep->LoadError(), "");
  for (auto* s : {missing.get(), folder.get(), array.get(), empty.get(), deep.get()}) EXPECT_TRUE(Listed(*s).empty());
}

TEST(VirtualSpoolerBounds, OversizedLongAndDeepDocumentsAreRefusedWithTheirCause) {
  std::string big = "{\"printers\": []}" + std::string((4u << 20) + 1, ' ');
  ExpectRefused(VirtualSpooler::FromJson(big, "big.json"), "larger than 4 MiB");

  std::string path = ::testing::TempDir() + "quorprn_big_" + std::to_string(getpid()) + ".json";
  std::ofstream(path, std::ios::binary) << big;
  ExpectRefused(VirtualSpooler::FromFile(path), "larger than 4 MiB");
  std::remove(path.c_str());

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
  // A nested value in a list whose bad entries are quoted in the message:
  // refused without recursion.
  const size_t depth = 200000;
  std::string nested = std::string(depth, '[') + std::string(depth, ']');
  ExpectRefused(VirtualSpooler::FromJson(R"({"printers": [{"name": "p", "fail": [)" + nested + "]}]}"),
                "nested deeper than 16 levels");
}

TEST(VirtualSpoolerFaults, FailListsBreakOnlyTheirPrinterAndCallsAreCounted) {
  auto s = VirtualSpooler::FromFile(Data("faults.json"));
  ASSERT_EQ(s->LoadError(), "");
  std::string err;
  PrinterEntry e;
  EXPECT_TRUE(s->Open("Healthy", &err));
  EXPECT_FALSE(s->Open("NoOpen", &err));
  EXPECT_TRUE(s->GetPrinter("NoOpen", &e, &err));
  EXPECT_TRUE(s->Open("NoInfo", &err));
  EXPECT_FALSE(s->GetPrinter("NoInfo", &e, &err));
  EXPECT_FALSE(s->Open("Unknown", &err));
  for (uint16_t cap : {DC_PAPERS, DC_PAPERNAMES, DC_BINS, DC_BINNAMES}) {
    std::vector<uint16_t> n;
    std::vector<std::string> names;
    EXPECT_FALSE(s->Capabilities("NoInfo", cap, &n, &names, &err)) << cap;
    EXPECT_TRUE(s->Capabilities("Healthy", cap, &n, &names, &err)) << cap;
  }
  // binNames overrides the names of the bins: three bins, two names.
  std::vector<uint16_t> bins;
  std::vector<std::string> binNames;
  s->Capabilities("Healthy", DC_BINS, &bins, nullptr, &err);
  s->Capabilities("Healthy", DC_BINNAMES, nullptr, &binNames, &err);
  EXPECT_EQ(bins, (std::vector<uint16_t>{1, 2, 7}));
  EXPECT_EQ(binNames, (std::vector<std::string>{"Upper", "Lower"}));

  EXPECT_EQ(s->Calls("Healthy", VirtualSpooler::kOpen), 1);
  EXPECT_EQ(s->Calls("NoOpen", VirtualSpooler::kOpen), 1);
  EXPECT_EQ(s->Calls("Unknown", VirtualSpooler::kOpen), 1);
  EXPECT_EQ(s->Calls("Healthy", VirtualSpooler::kBins), 2);
  EXPECT_EQ(s->Calls("NoInfo", VirtualSpooler::kGetPrinter), 1);
  EXPECT_EQ(s->TotalCalls(VirtualSpooler::kOpen), 4);
  s->ResetCalls();
  EXPECT_EQ(s->TotalCalls(VirtualSpooler::kOpen), 0);

  auto broken = VirtualSpooler::FromFile(Data("enum_fails.json"));
  std::vector<PrinterEntry> list;
  EXPECT_FALSE(broken->Enumerate(&list, &err));
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(broken->Open("A", &err));  // only the enumeration is broken
  EXPECT_EQ(broken->Calls("", VirtualSpooler::kEnum), 1);
}

TEST(VirtualSpoolerFlags, ColourAndDuplexAreTrueOrFalse) {
  auto vs = VirtualSpooler::FromJson(R"({"printers": [{"name": "P", "color": 1}]})", "flags");
  EXPECT_NE(vs->LoadError().find("\"color\" must be true or false"), std::string::npos) << vs->LoadError();
  vs = VirtualSpooler::FromJson(R"({"printers": [{"name": "P", "duplex": true}]})", "flags");
  PrinterEntry e;
  std::string error;
  ASSERT_TRUE(vs->GetPrinter("P", &e, &error));
  EXPECT_TRUE(e.offersDuplex);
  EXPECT_FALSE(e.offersColor);
}
