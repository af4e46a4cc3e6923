// The command as a whole and the verbs that need no stored settings: usage
// errors and help, the printer list, the code page 932 edge, .reg files
// through a real hive file, document-file output settings and template files.
#include "CommandRunner.h"

using CommandBasics = CommandRunner;

TEST_F(CommandBasics, UsageErrorsExitTwoAndHelpExitsZero) {
  EXPECT_EQ(RunBare({}).status, 2);
  EXPECT_EQ(RunBare({"no-such-verb"}).status, 2);
  EXPECT_EQ(Run({"lookup-typo"}).status, 2);
  EXPECT_EQ(Run({"xdw", "set", "S", "J", "--print-type", "3"}).status, 2);
  EXPECT_EQ(RunJson({"reg"}, 2)["meaning"], "usage error");
  CommandResult help = RunBare({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* verb : {"printers", "printer", "xdw", "template", "reg"})
    EXPECT_NE(help.out.find(verb), std::string::npos) << verb;
  for (std::vector<std::string> verb : {std::vector<std::string>{"reg", "import"},
                                        {"reg", "export"},
                                        {"xdw", "set"},
                                        {"template", "show"},
                                        {"printer"}}) {
    verb.push_back("--help");
    CommandResult r = RunBare(verb);
    EXPECT_EQ(r.status, 0) << verb[0];
    EXPECT_NE(r.out.find("Usage"), std::string::npos);
  }
}

TEST_F(CommandBasics, PrintersListsTheSpoolerWithTheDefaultMarked) {
  auto list = RunJson({"printers"})["printers"];
  ASSERT_EQ(list.size(), 4u);
  EXPECT_TRUE(Has(list[0], R"({"PrinterName": "Office Laser", "Default": true})"_json));
  // Code page 932 inside, UTF-8 out.
  EXPECT_TRUE(Has(list[1], R"({"PrinterName": "経理部 A3カラー", "Status": "一時停止", "Default": false})"_json));
  EXPECT_NE(Run({"printers"}).out.find("* Office Laser"), std::string::npos);
  spooler = Path("missing.json");
  EXPECT_EQ(Run({"printers"}).status, 2);
}

TEST_F(CommandBasics, PrinterShowsPapersBinsAndRefusesUnknownOrUnholdableNames) {
  auto j = RunJson({"printer", "経理部 A3カラー"});
  EXPECT_EQ(j["DevMode"]["PaperSize"], 8);
  EXPECT_EQ(j["Papers"].size(), 3u);
  EXPECT_EQ(j["Bins"][0]["Name"], "自動選択");
  EXPECT_EQ(Run({"printer", "Nobody"}).status, 1);
  // An emoji has no code page 932 form: refused by name, not looked up mangled.
  CommandResult emoji = Run({"printer", "Printer \xF0\x9F\x98\x80"});
  EXPECT_EQ(emoji.status, 2);
  EXPECT_NE(emoji.err.find("code page 932"), std::string::npos);
}

TEST_F(CommandBasics, RegImportAndExportThroughTheHiveFile) {
  EXPECT_EQ(RunJson({"reg", "import", Data("reg/version5-utf16.reg")})["valuesSet"], 9);
  CommandResult partial = Run({"reg", "import", Data("reg/bad-line-in-middle.reg")});
  EXPECT_EQ(partial.status, 1);
  EXPECT_NE(partial.err.find("bad-line-in-middle.reg:5:"), std::string::npos);
  auto problems = RunJson({"reg", "import", Data("reg/bad-line-in-middle.reg")}, 1)["problems"];
  EXPECT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[0]["line"], 5);

  ASSERT_EQ(Run({"reg", "export", "-o", Path("before.reg")}).status, 0);
  EXPECT_EQ(Run({"reg", "import", Data("reg/not-a-reg-file.reg")}).status, 1);
  ASSERT_EQ(Run({"reg", "export", "-o", Path("after.reg")}).status, 0);
  EXPECT_EQ(ReadFile(Path("before.reg")), ReadFile(Path("after.reg")));

  // Round trip through REGEDIT4 into a fresh hive file.
  ASSERT_EQ(Run({"reg", "export", "HKEY_LOCAL_MACHINE\\SOFTWARE", "--format", "4", "-o", Path("four.reg")}).status, 0);
  EXPECT_EQ(ReadFile(Path("four.reg")).substr(0, 8), "REGEDIT4");
  hive = Path("second.db");
  ASSERT_EQ(Run({"reg", "import", Path("four.reg")}).status, 0);
  ASSERT_EQ(Run({"reg", "export", "-o", Path("second.reg")}).status, 0);
  EXPECT_EQ(ReadFile(Path("second.reg")), ReadFile(Path("after.reg")));

  EXPECT_EQ(Run({"reg", "export", "SOFTWARE\\Missing"}).status, 1);
  EXPECT_EQ(Run({"reg", "export", "HKEY_CURRENT_USER\\Software"}).status, 2);
  EXPECT_EQ(Run({"reg", "import", Path("absent.reg")}).status, 1);
}

TEST_F(CommandBasics, XdwSettingsAreStoredAndReadBack) {
  ASSERT_EQ(Run({"xdw", "set", "販売", "月次", "--print-type", "2", "--color", "16", "--folder", "D:\\xdw"}).status, 0);
  ASSERT_EQ(Run({"xdw", "input-folder", "販売", "月次", "D:\\in\\"}).status, 0);
  ASSERT_EQ(Run({"xdw", "set", "販売", "月次", "--output-type", "1"}).status, 0);
  auto j = RunJson({"xdw", "show", "販売", "月次", "--customer", "12/3", "ABC:", "--file", "a?b"});
  // The print type is kept when a later set changed something else.
  EXPECT_TRUE(Has(j, R"({"PrintType": 2, "ColorType": 16, "InputFolder": "D:\\in\\",
                         "OutputFolder": "D:\\xdw\\123ABC\\", "FileName": "ab"})"_json));
}

TEST_F(CommandBasics, TemplateEncodeDecodeRoundTripAndShow) {
  std::string plain =
      "; form\r\n/PAGEINF \x90\xbf\x8b\x81\x8f\x91\r\nPAPER=PRN_FREE\r\nPAPERWIDTH=1000\r\n"
      "PAPERLENGTH=1500\r\n/END\r\n";  // 請求書 in code page 932
  Write(Path("f.TPT"), plain);
  ASSERT_EQ(Run({"template", "encode", Path("f.TPT"), Path("g.TPTX")}).status, 0);
  ASSERT_EQ(Run({"template", "decode", Path("g.TPTX"), Path("h.TPT")}).status, 0);
  EXPECT_EQ(ReadFile(Path("h.TPT")), plain);
  // Only the encoded file exists: the reader falls back to it.
  auto show = RunJson({"template", "show", Path("g.TPT"), "請求書"});
  EXPECT_TRUE(Has(show, R"({"PaperNo": 256, "Portrait": 1, "Encoded": true})"_json));
  EXPECT_EQ(Run({"template", "show", Path("g.TPT"), "other"}).status, 1);

  Write(Path("bad.TPTX"), "L2VuZA==\r\nnot base64!\r\n");
  EXPECT_EQ(Run({"template", "decode", Path("bad.TPTX"), Path("out.TPT")}).status, 1);
  EXPECT_FALSE(std::filesystem::exists(Path("out.TPT")));
}

TEST_F(CommandBasics, RedirectNamesFollowThePatternsGivenEitherWay) {
  const std::string port = "rdp-session", remove = " \\(session [0-9]+\\)";
  auto stored = RunJson({"redirect", "--port", port, "--remove", remove, "name", "Label Printer (session 12)"});
  EXPECT_EQ(stored["StoredName"], "Label Printer!Redirected");
  // The global options a host-like run uses reach the verb as well; the
  // comparison ignores letter case, the suffix does not.
  auto real =
      RunJson({"--redirect-port", port, "--redirect-remove", remove, "redirect", "real", "LABEL printer!Redirected"});
  EXPECT_EQ(real["PrinterName"], "Label Printer (session 12)");
  EXPECT_EQ(RunJson({"redirect", "real", "Label Printer!Redirected"})["Changed"], false);
  EXPECT_EQ(RunJson({"redirect", "name", "Office Laser", "--port", port})["StoredName"], "Office Laser");
  EXPECT_EQ(Run({"redirect", "name"}).status, 2);
}
