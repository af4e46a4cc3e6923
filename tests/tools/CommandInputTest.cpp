// What the administrator types reaches the library unchanged, and only what
// was asked for is written: option values the parser could take apart, empty
// global options, partial DocuWorks updates and printer names that no
// installed printer has.
#include "CommandRunner.h"

using CommandInput = CommandRunner;

TEST_F(CommandInput, OptionValuesArriveAsTyped) {
  const std::string label = "Label Printer (session 12)";
  // A value in brackets is a character class, not a list of two patterns.
  EXPECT_EQ(RunJson({"redirect", "--port", "[/]12[/]", "--remove", "[0-9]", "name", label})["StoredName"],
            "Label Printer (session )!Redirected");
  EXPECT_EQ(RunJson({"--redirect-port", "[/]12[/]", "--redirect-remove", "[ (),0-9]", "redirect", "name", label})
                ["StoredName"],
            "LabelPrintersession!Redirected");
  // Spaces, a backslash, a comma and a leading dash.
  EXPECT_EQ(RunJson({"redirect", "--port", "rdp", "--remove=-? \\(session [0-9]{1,2}\\)", "name", label})["StoredName"],
            "Label Printer!Redirected");
  EXPECT_EQ(RunJson({"redirect", "real", "--", "-[a,b] x\\y"})["PrinterName"], "-[a,b] x\\y");

  ASSERT_EQ(Run({"xdw", "set", "S", "J", "--output-type", "1", "--folder", "[D:\\x, y]"}).status, 0);
  auto xdw = RunJson({"xdw", "show", "S", "J", "--customer", "[12]", "[a,b] c", "--file", "[x,y] -z"});
  EXPECT_TRUE(Has(xdw, R"({"FolderPath": "[D:\\x, y]\\", "OutputFolder": "[D:\\x, y]\\[12][a,b] c\\",
                         "FileName": "[x,y] -z"})"_json));

  // One palette entry in brackets is not a valid entry, nor two of them.
  EXPECT_EQ(Run({"create-printer", "S", "J", "0", "P", "--color", "[C001=0x0000FF]"}).status, 2);
  ASSERT_EQ(Run({"create-form", "--paper-name", "[A4, b]", "S", "J", "0", "--", "-[P 1] x\\y", "[F,1]"}).status, 0);
  auto printer = RunJson({"show", "S", "J", "0"}, 10)["Sets"][0]["Printers"][0];
  EXPECT_EQ(printer["PrinterName"], "-[P 1] x\\y");
  EXPECT_TRUE(Has(printer["Forms"][0], R"({"FormName": "[F,1]", "PaperName": "[A4, b]"})"_json));
}

TEST_F(CommandInput, EmptyGlobalOptionsAreUsageErrors) {
  // An unset shell variable must not send the command to another hive.
  CommandResult registry = RunBare({"--registry", "", "--spooler", spooler, "show", "S", "J"});
  EXPECT_EQ(registry.status, 2);
  EXPECT_NE(registry.err.find("--registry"), std::string::npos) << registry.err;
  EXPECT_EQ(RunBare({"--registry=", "xdw", "show", "S", "J"}).status, 2);
  EXPECT_EQ(RunBare({"--registry", hive, "--spooler", "", "printers"}).status, 2);
}

TEST_F(CommandInput, XdwSetWritesOnlyTheGivenValues) {
  // 出力 and a colour out of range, no output type: all must stay as stored.
  Write(Path("seed.reg"),
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Olvanet\\Sarvo\\S\\J\\Print\\FileSet00\\DocuWorks]\r\n"
        "\"XdwPrintType\"=dword:00000001\r\n\"XdwColorType\"=dword:00000011\r\n"
        "\"XdwFolderPath\"=\"C:\\\\XDW\\\\出力\"\r\n");
  ASSERT_EQ(Run({"reg", "import", Path("seed.reg")}).status, 0);
  auto exported = [this] {
    EXPECT_EQ(Run({"reg", "export", "--format", "4", "-o", Path("now.reg")}).status, 0);
    return ReadFile(Path("now.reg"));
  };
  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const std::string before = exported();
  ASSERT_NE(before.find("\"XdwFolderPath\"=\"C:\\\\XDW\\\\\x8f\x6f\x97\xcd\""), std::string::npos) << before;

  ASSERT_EQ(Run({"xdw", "set", "S", "J", "--color=5"}).status, 0);
  const std::string afterColor = exported();
  EXPECT_EQ(afterColor, replaced(before, "\"XdwColorType\"=dword:00000011", "\"XdwColorType\"=dword:00000005"));

  ASSERT_EQ(Run({"xdw", "set", "S", "J", "--print-type=2"}).status, 0);
  EXPECT_EQ(exported(), replaced(afterColor, "\"XdwPrintType\"=dword:00000001", "\"XdwPrintType\"=dword:00000002"));
  EXPECT_EQ(ReadFile(Path("now.reg")).find("XdwOutputType"), std::string::npos);
}

TEST_F(CommandInput, SelectRefusesPrintersThatAreNotInstalledUnlessForced) {
  auto refused = RunJson({"select", "S", "J", "0", "Ofice Laser"}, 1);
  EXPECT_NE(refused["error"].get<std::string>().find("Ofice Laser"), std::string::npos) << refused;
  ASSERT_FALSE(refused["nearest"].empty());
  EXPECT_EQ(refused["nearest"][0], "Office Laser");
  CommandResult text = Run({"select", "S", "J", "0", "経理部 A3カラ"});
  EXPECT_EQ(text.status, 1);
  EXPECT_NE(text.err.find("\"経理部 A3カラー\""), std::string::npos) << text.err;
  EXPECT_EQ(Run({"show", "S", "J"}).status, 10);  // nothing was stored

  EXPECT_EQ(Run({"select", "S", "J", "0", "Ofice Laser", "--force"}).status, 0);
  EXPECT_EQ(RunJson({"show", "S", "J", "0"})["Sets"][0]["CurrentPrinter"], "Ofice Laser");
  // The stored name of a redirected printer stands for an installed one.
  EXPECT_EQ(Run({"--redirect-port", "rdp-session", "--redirect-remove", " \\(session [0-9]+\\)", "select", "S", "J",
                 "1", "Label Printer!Redirected"})
                .status,
            0);
}
