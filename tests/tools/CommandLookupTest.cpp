// The settings lookup driven as a host's administrator would: on the demo
// settings, stored and from fallbacks, with exit statuses and --json parsed
// back.
#include "CommandRunner.h"

class CommandLookup : public CommandRunner {
 protected:
  void SetUp() override {
    CommandRunner::SetUp();
    ASSERT_EQ(Run({"reg", "import", std::string(QUORPRN_SOURCE_DIR) + "/demo/demo.reg"}).status, 0);
  }
  std::string Template(const std::string& name) { return std::string(QUORPRN_SOURCE_DIR) + "/demo/forms/" + name; }
};

TEST_F(CommandLookup, StoredSettingsAnswerOne) {
  CommandResult r = Run({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "請求書"}, true);
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  auto j = r.Json();
  EXPECT_EQ(j["result"], 1);
  EXPECT_EQ(j["meaning"], "success");
  EXPECT_EQ(j["Printer"]["PrinterName"], "経理部 A3カラー");
  EXPECT_EQ(j["Printer"]["OffsetX"], 15);
  EXPECT_EQ(j["Form"]["PaperSize"], "8");
  EXPECT_EQ(j["Form"]["Bin"], "1");
  EXPECT_EQ(j["Form"]["BinName"], "トレイ 1");
  EXPECT_EQ(j["Color"]["Mode"], 2);
  EXPECT_EQ(j["Color"]["ColorPrint"], 1);
  CommandResult text = Run({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "請求書"});
  EXPECT_NE(text.out.find("result: 1 (success)"), std::string::npos);

  CommandResult def = Run({"default", "販売管理", "月次請求", "0"}, true);
  EXPECT_EQ(def.status, 0);
  EXPECT_EQ(def.Json()["Printer"]["ScaleX"], 980);
}

TEST_F(CommandLookup, FallbacksExitTenWithCompleteRecords) {
  CommandResult form = Run({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "見積書"}, true);
  EXPECT_EQ(form.status, 10);
  EXPECT_EQ(form.Json()["result"], 143);
  EXPECT_EQ(form.Json()["Form"]["PaperSize"], "9");  // the template's A4
  EXPECT_EQ(form.Json()["PaperSize"]["Portrait"], 1);

  CommandResult set = Run({"lookup", "販売管理", "月次請求", "7", Template("invoice.TPT"), "納品書"}, true);
  EXPECT_EQ(set.status, 10);
  EXPECT_EQ(set.Json()["result"], 140);
  EXPECT_EQ(set.Json()["Printer"]["PrinterName"], "Office Laser");
  EXPECT_EQ(set.Json()["Form"]["PaperSize"], "12");
}

TEST_F(CommandLookup, RedirectedPrinterAndDeviceSettingsReachTheLookup) {
  CommandResult label = Run({"--redirect-port", "rdp-session", "--redirect-remove", " \\(session [0-9]+\\)", "lookup",
                             "販売管理", "月次請求", "1", Template("label.TPT"), "ラベル"},
                            true);
  EXPECT_EQ(label.status, 0) << label.out << label.err;
  EXPECT_EQ(label.Json()["Printer"]["PrinterName"], "Label Printer (session 12)");
  EXPECT_EQ(label.Json()["Form"]["Width"], 1000);

  // 送付状 is stored with the printer's own paper and no bin: the device
  // settings handed in decide both.
  CommandResult own = Run({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "送付状",
                           "--devmode-paper", "12", "--devmode-bin", "2"},
                          true);
  EXPECT_EQ(own.status, 0) << own.out;
  EXPECT_EQ(own.Json()["Form"]["PaperSize"], "-1");
  EXPECT_EQ(own.Json()["Form"]["PaperName"], "B4 (JIS)");
  EXPECT_EQ(own.Json()["Form"]["Bin"], "2");

  EXPECT_EQ(Run({"lookup", "販売管理", "月次請求", "0", "", "請求書"}, true).Json()["result"], 110);
  EXPECT_EQ(Run({"lookup", "販売管理", "月次請求", "0", Template("nothing.TPT"), "見積書"}).status, 1);
  EXPECT_EQ(Run({"lookup", "販売管理", "月次請求"}).status, 2);
}
