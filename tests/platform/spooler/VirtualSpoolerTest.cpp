// The JSON-described spooler: documents that load, documents that must be
// refused with the line a human has to fix, and injected failures.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"

using spooler::PrinterEntry;
using spooler::VirtualSpooler;

namespace {
std::string Data(const std::string& name) { return std::string(QUORPRN_TEST_DATA) + "/spooler/" + name; }
}  // namespace

TEST(VirtualSpoolerLoad, DemoFileGivesItsPrintersInOrderAsCp932) {
  auto s = VirtualSpooler::FromFile(Data("demo.json"));
  ASSERT_EQ(s->LoadError(), "");
  std::vector<PrinterEntry> list;
  std::string err;
  ASSERT_TRUE(s->Enumerate(&list, &err)) << err;
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].name, "Office Laser");
  EXPECT_EQ(list[1].name, mbcs::Cp932("経理部 A3カラー"));
  EXPECT_EQ(list[1].location, mbcs::Cp932("3F 経理部"));
  EXPECT_EQ(list[1].status, 1u);
  EXPECT_EQ(list[1].paper, 8);
  EXPECT_EQ(list[1].orientation, 2);
  EXPECT_EQ(list[3].status, 0x88u);
  std::string def;
  EXPECT_TRUE(s->DefaultPrinter(&def, &err));
  EXPECT_EQ(def, "Office Laser");
}
