// Failures say what failed and why: a broken virtual-printer file, a hive
// that cannot be opened or written, an argument the library refuses, a
// fallback code read in the verb's own sense, an export that cannot be
// written. None of them may look like success.
#include "CommandRunner.h"

using CommandFailure = CommandRunner;

namespace {
std::string Error(const nlohmann::json& j) { return j.value("error", std::string()); }
}  // namespace

TEST_F(CommandFailure, BrokenPrinterFileFailsEveryVerbThatReadsThePrinters) {
  spooler = Data("spooler/bad_syntax.json");
  for (std::vector<std::string> verb :
       {std::vector<std::string>{"printers"},
        {"printer", "A"},
        {"lookup", "S", "J", "0", Path("f.TPT"), "F"},
        {"default", "S", "J", "0"},
        {"select", "S", "J", "0", "A", "--force"},
        {"create-printer", "S", "J", "0", "A"},
        {"delete-printer", "S", "J", "0", "A"},
        {"redirect", "name", "A"}}) {
    auto j = RunJson(verb, 1);
    EXPECT_EQ(j["result"], 0) << verb[0];
    EXPECT_NE(Error(j).find("bad_syntax.json:4:"), std::string::npos) << verb[0] << ": " << j;
  }
  CommandResult text = Run({"printers"});
  EXPECT_EQ(text.status, 1);
  EXPECT_EQ(text.out.find("no printers installed"), std::string::npos);
  EXPECT_NE(text.err.find("bad_syntax.json:4:"), std::string::npos);
  // Verbs that never ask the print system still work.
  EXPECT_EQ(Run({"xdw", "show", "S", "J"}).status, 0);
}

TEST_F(CommandFailure, UnusableHiveIsAFailureWithTheRegistrysCause) {
  struct Case {
    std::string hive, cause;
  };
  Write(Path("not-a-hive.db"), "this is not a database at all, only some text for the test\n");
  for (const Case& c : {Case{Path("missing/registry.db"), "ECR050"}, Case{Path("not-a-hive.db"), "ECR051"}}) {
    hive = c.hive;
    for (const std::vector<std::string>& verb :
         {std::vector<std::string>{"show", "S", "J"}, {"show", "S", "J", "3"}}) {
      auto j = RunJson(verb, 1);
      EXPECT_NE(j["result"], 140) << c.hive;
      EXPECT_NE(Error(j).find(c.cause), std::string::npos) << c.hive << ": " << j;
    }
  }
  // Every store write names the cause, once in text and as "error" in JSON.
  hive = Path("not-a-hive.db");
  for (std::vector<std::string> verb :
       {std::vector<std::string>{"create-set", "S", "J", "0"},
        {"create-printer", "S", "J", "0", "P"},
        {"create-form", "S", "J", "0", "P", "F"},
        {"select", "S", "J", "0", "Office Laser"},
        {"delete-set", "S", "J", "0"},
        {"delete-printer", "S", "J", "0", "P"},
        {"delete-form", "S", "J", "0", "P", "F"}}) {
    auto j = RunJson(verb, 1);
    EXPECT_NE(Error(j).find("ECR051"), std::string::npos) << verb[0] << ": " << j;
    EXPECT_NE(Error(j).find("file is not a database"), std::string::npos) << verb[0];
    CommandResult text = Run(verb);
    size_t first = text.err.find("file is not a database");
    EXPECT_NE(first, std::string::npos) << verb[0];
    EXPECT_EQ(text.err.find("file is not a database", first + 1), std::string::npos) << text.err;
  }
  CommandResult xdw = Run({"xdw", "set", "S", "J", "--color", "3"});
  EXPECT_EQ(xdw.status, 1);
  EXPECT_NE(xdw.err.find("file is not a database"), std::string::npos) << xdw.err;
}

TEST_F(CommandFailure, RefusedArgumentsAreNamedAndCodesReadInTheVerbsSense) {
  EXPECT_TRUE(Has(RunJson({"create-set", "S", "J", "100"}, 1), R"({"result": 110, "error": "set number 100 is above 99",
      "meaning": "an argument failed the entry checks"})"_json));
  EXPECT_EQ(Error(RunJson({"create-set", "", "J", "0"}, 1)), "the system name is empty");
  EXPECT_EQ(Error(RunJson({"delete-printer", "S", "", "0", "P"}, 1)), "the job name is empty");
  EXPECT_EQ(Error(RunJson({"create-form", "S", "J", "0", "P", ""}, 1)), "the form name is empty");
  EXPECT_EQ(Error(RunJson({"lookup", "S", "J", "0", "", "F"}, 1)), "the template path is empty");
  EXPECT_NE(Run({"create-printer", "S", "J", "0", ""}).err.find("the printer name is empty"), std::string::npos);

  EXPECT_EQ(RunJson({"delete-printer", "S", "J", "4", "P"}, 10)["meaning"], "the printer is not stored");
  ASSERT_EQ(Run({"create-printer", "S", "J", "4", "P"}).status, 0);
  EXPECT_EQ(RunJson({"delete-form", "S", "J", "4", "P", "F"}, 10)["meaning"], "the form is not stored");
  EXPECT_EQ(RunJson({"show", "S", "J", "5"}, 10)["meaning"], "the printer set is not stored");
  // The lookup did fall back to the default printer.
  EXPECT_NE(RunJson({"default", "S", "J", "5"}, 10)["meaning"].get<std::string>().find("default printer"),
            std::string::npos);
}

TEST_F(CommandFailure, ExportIntoAMissingFolderSaysWhy) {
  CommandResult r = Run({"reg", "export", "-o", Path("missing/out.reg")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;
}
