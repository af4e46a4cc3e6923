// Round trips of names and texts that use code page 932's duplicate codes:
// several codes share one Unicode character, so a version 5 file (Unicode)
// cannot say which one was meant. Found by the .reg fuzz target, where a
// value name came back under another code.
#include <gtest/gtest.h>

#include <string>

#include "platform/registry/MemoryHive.h"
#include "tools/RegFileWriter.h"
#include "tools/RegImporter.h"

using registry::MemoryHive;
using registry::RegValue;
using tools::RegFormat;

namespace {

std::string Export(MemoryHive& hive, RegFormat format, tools::RegExportReport* report) {
  std::string out;
  EXPECT_TRUE(tools::RegFileWriter::Export(hive, "", format, &out, report));
  return out;
}

}  // namespace

TEST(RegExportDuplicateCodes, Version5LeavesOutWhatItCannotCarryAndRegedit4KeepsIt) {
  // 0xED68: a character of the NEC selection of IBM extensions, whose Unicode
  // character reads back as its IBM code 0xFA..; 0x8790: NEC's copy of a
  // mathematical symbol that reads back as the JIS code 0x81E0.
  const std::string nec = "S\xED\x68ort";
  const std::string symbol = "\x87\x90";
  MemoryHive hive;
  registry::RegError err;
  ASSERT_TRUE(hive.CreateKey("SOFTWARE\\Test", &err));
  ASSERT_TRUE(hive.SetValue("SOFTWARE\\Test", nec, RegValue::Number(1), &err));
  ASSERT_TRUE(hive.SetValue("SOFTWARE\\Test", "Text", RegValue::Text("a" + symbol), &err));
  ASSERT_TRUE(hive.SetValue("SOFTWARE\\Test", "Plain", RegValue::Text("plain"), &err));
  ASSERT_TRUE(hive.CreateKey("SOFTWARE\\K" + symbol, &err));

  tools::RegExportReport report;
  std::string v5 = Export(hive, RegFormat::Version5, &report);
  EXPECT_EQ(report.problems.size(), 3u);
  MemoryHive fromV5;
  tools::RegImportReport imported;
  EXPECT_EQ(tools::RegImporter::Import(v5, fromV5, &imported), tools::RegImportResult::Imported);
  // What was written came back unchanged; nothing came back under another code.
  EXPECT_TRUE(fromV5.HasValue("SOFTWARE\\Test", "Plain"));
  EXPECT_FALSE(fromV5.HasValue("SOFTWARE\\Test", nec));
  EXPECT_FALSE(fromV5.HasValue("SOFTWARE\\Test", "Text"));
  EXPECT_FALSE(fromV5.HasKey("SOFTWARE\\K" + symbol));
  for (const std::string& line : fromV5.Dump()) EXPECT_EQ(line.find('\xFA'), std::string::npos) << line;
  EXPECT_EQ(fromV5.Dump().size(), 4u);  // root, SOFTWARE, SOFTWARE\Test and Plain

  std::string v4 = Export(hive, RegFormat::Regedit4, &report);
  EXPECT_TRUE(report.problems.empty());
  MemoryHive fromV4;
  EXPECT_EQ(tools::RegImporter::Import(v4, fromV4, &imported), tools::RegImportResult::Imported);
  EXPECT_EQ(fromV4.Dump(), hive.Dump());
}
