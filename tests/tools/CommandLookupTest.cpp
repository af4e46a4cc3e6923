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
  auto j = RunJson({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "請求書"});
  EXPECT_TRUE(
      Has(j, R"({"result": 1, "meaning": "success", "Printer": {"PrinterName": "経理部 A3カラー", "OffsetX": 15},
                         "Form": {"PaperSize": "8", "Bin": "1", "BinName": "トレイ 1"},
                         "Color": {"Mode": 2, "ColorPrint": 1}})"_json));
  CommandResult text = Run({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "請求書"});
  EXPECT_NE(text.out.find("result: 1 (success)"), std::string::npos);
  EXPECT_EQ(RunJson({"default", "販売管理", "月次請求", "0"})["Printer"]["ScaleX"], 980);
}

TEST_F(CommandLookup, FallbacksExitTenWithCompleteRecords) {
  auto form = RunJson({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "見積書"}, 10);
  // The template's A4.
  EXPECT_TRUE(Has(form, R"({"result": 143, "Form": {"PaperSize": "9"}, "PaperSize": {"Portrait": 1}})"_json));
  auto set = RunJson({"lookup", "販売管理", "月次請求", "7", Template("invoice.TPT"), "納品書"}, 10);
  EXPECT_TRUE(
      Has(set, R"({"result": 140, "Printer": {"PrinterName": "Office Laser"}, "Form": {"PaperSize": "12"}})"_json));
}

TEST_F(CommandLookup, RedirectedPrinterAndDeviceSettingsReachTheLookup) {
  auto label = RunJson({"--redirect-port", "rdp-session", "--redirect-remove", " \\(session [0-9]+\\)", "lookup",
                        "販売管理", "月次請求", "1", Template("label.TPT"), "ラベル"});
  EXPECT_TRUE(
      Has(label, R"j({"Printer": {"PrinterName": "Label Printer (session 12)"}, "Form": {"Width": 1000}})j"_json));
  // 送付状 is stored with the printer's own paper and no bin: the device
  // settings handed in decide both.
  auto own = RunJson({"lookup", "販売管理", "月次請求", "0", Template("invoice.TPT"), "送付状", "--devmode-paper", "12",
                      "--devmode-bin", "2"});
  EXPECT_TRUE(Has(own["Form"], R"j({"PaperSize": "-1", "PaperName": "B4 (JIS)", "Bin": "2"})j"_json));
  EXPECT_EQ(RunJson({"lookup", "販売管理", "月次請求", "0", "", "請求書"}, 1)["result"], 110);
  EXPECT_EQ(Run({"lookup", "販売管理", "月次請求", "0", Template("nothing.TPT"), "見積書"}).status, 1);
  EXPECT_EQ(Run({"lookup", "販売管理", "月次請求"}).status, 2);
}
