// The verbs over stored settings, driven as an administrator would: create,
// select, show and delete, their misuse, and names at the code page 932 edge.
#include "CommandRunner.h"

using CommandStored = CommandRunner;

TEST_F(CommandStored, CreateSelectShowAndDeleteASet) {
  // 表 ends in byte 0x5C: it must survive as one character all the way.
  const std::string sys = "表計算", job = "日次";
  EXPECT_EQ(Run({"create-set", sys, job, "4"}).status, 0);
  CommandResult cp =
      Run({"create-printer", sys, job, "4", "経理部 A3カラー", "--offset-x", "15", "--scale-y", "950", "--scale-fix",
           "0", "--color-print", "1", "--mode", "-1", "--color", "C001=0x0000FF", "--color", "C002=0xFF8000"});
  EXPECT_EQ(cp.status, 0) << cp.out << cp.err;
  EXPECT_EQ(Run({"create-form",  sys,    job,        "4", "経理部 A3カラー", "請求書", "--paper", "8",
                 "--paper-name", "A3",   "--bin",    "2", "--offset-y",      "-5",     "--width", "2970",
                 "--height",     "4200", "--wh-fix", "1", "--fit",           "0"})
                .status,
            0);
  EXPECT_EQ(Run({"select", sys, job, "4", "経理部 A3カラー"}).status, 0);

  auto set = RunJson({"show", sys, job})["Sets"][0];
  EXPECT_TRUE(Has(set, R"({"Set": 4, "CurrentPrinter": "経理部 A3カラー"})"_json));
  auto printer = set["Printers"][0];
  EXPECT_TRUE(Has(printer, R"({"PrinterName": "経理部 A3カラー", "OffsetX": 15, "ScaleX": 1000, "ScaleY": 950,
                               "ScaleFix": 0, "Mode": -1})"_json));
  EXPECT_EQ(printer["Palette"][1], R"({"Name": "C002", "Color": 16744448})"_json);  // 0xFF8000
  EXPECT_TRUE(Has(printer["Forms"][0], R"({"FormName": "請求書", "PaperSize": "8", "Bin": "2", "OffsetY": -5,
                                          "Height": 4200, "PaperSizeFit": 0})"_json));

  // Deleting what is not stored answers the fallback codes, exit status 10.
  EXPECT_EQ(Run({"delete-form", sys, job, "4", "経理部 A3カラー", "請求書"}).status, 0);
  EXPECT_EQ(RunJson({"delete-form", sys, job, "4", "経理部 A3カラー", "請求書"}, 10)["result"], 143);
  EXPECT_EQ(Run({"delete-printer", sys, job, "4", "Office Laser"}).status, 10);
  EXPECT_EQ(Run({"delete-printer", sys, job, "4", "経理部 A3カラー"}).status, 0);
  EXPECT_EQ(Run({"delete-set", sys, job, "4"}).status, 0);
  EXPECT_EQ(RunJson({"show", sys, job, "4"}, 10)["result"], 140);
}

TEST_F(CommandStored, MisusedStoreVerbsAreRefused) {
  EXPECT_EQ(Run({"create-set", "S", "J", "-1"}).status, 2);
  EXPECT_EQ(Run({"create-printer", "S", "J", "0", "P", "--color", "red=0x0000FF"}).status, 2);
  EXPECT_EQ(Run({"create-printer", "S", "J", "0", "P", "--color", "C001=0x1000000"}).status, 2);
  EXPECT_EQ(Run({"create-printer", "S", "J", "0", "P", "--scale-fix", "2"}).status, 2);
  EXPECT_EQ(Run({"create-form", "S", "J", "0", "P"}).status, 2);
  CommandResult emoji = Run({"create-set", "S\xF0\x9F\x98\x80", "J", "0"});
  EXPECT_EQ(emoji.status, 2);
  EXPECT_NE(emoji.err.find("code page 932"), std::string::npos);
  EXPECT_EQ(Run({"show", "S", "J"}).status, 10);  // nothing of the refused calls reached the hive
}
