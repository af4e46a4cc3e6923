// "print" and "lookup --lp" where no job can be made: virtual printers are no
// CUPS queues, and a document the print server would pass on unconverted must
// be one the printer can take. (Jobs on real queues: tests/platform/cups.)
#include "CommandRunner.h"

using CommandPrint = CommandRunner;

TEST_F(CommandPrint, VirtualPrintersTakeNoJobsAndSayWhy) {
  const std::string tpt = Data("templates/forms.TPT"), pdf = Path("a.pdf");
  Write(pdf, "%PDF-1.4\n%%EOF\n");
  CommandResult print = Run({"print", "S", "J", "0", tpt, "INVOICE", pdf});
  EXPECT_EQ(print.status, 1);
  EXPECT_NE(print.out.find("result: 190 (the printer is not a CUPS queue"), std::string::npos) << print.out;
  EXPECT_NE(print.err.find("not printed"), std::string::npos) << print.err;
  EXPECT_EQ(RunJson({"print", "S", "J", "0", tpt, "INVOICE", pdf}, 1)["result"], 190);

  // Only the words go to standard output, and here there are none.
  CommandResult lp = Run({"lookup", "S", "J", "0", tpt, "INVOICE", "--lp"});
  EXPECT_EQ(lp.status, 1);
  EXPECT_EQ(lp.out, "");
  EXPECT_NE(lp.err.find("result 140"), std::string::npos) << lp.err;
  EXPECT_NE(lp.err.find("job options: result 190"), std::string::npos) << lp.err;
  auto j = RunJson({"lookup", "S", "J", "0", tpt, "INVOICE", "--lp"}, 1);
  EXPECT_EQ(j["result"], 140);
  EXPECT_EQ(j["cupsOptionsResult"], 190);
  EXPECT_TRUE(j["cupsOptions"].empty());
  // Without --lp the options ride along and the lookup's status stands.
  EXPECT_EQ(RunJson({"lookup", "S", "J", "0", tpt, "INVOICE"}, 10)["cupsOptionsResult"], 190);
}

TEST_F(CommandPrint, DocumentsThatAreNoPdfPostScriptOrTextAreRefusedBeforeAnyLookup) {
  const std::string tpt = Data("templates/forms.TPT");
  Write(Path("image.bin"), std::string("\x89PNG\r\n\x1a\n\0\0", 10));
  CommandResult binary = Run({"print", "S", "J", "0", tpt, "INVOICE", Path("image.bin")});
  EXPECT_EQ(binary.status, 2);
  EXPECT_NE(binary.err.find("not a PDF, PostScript or text document"), std::string::npos) << binary.err;
  EXPECT_EQ(Run({"print", "S", "J", "0", tpt, "INVOICE", Path("missing.pdf")}).status, 2);
  Write(Path("empty.txt"), "");
  EXPECT_EQ(Run({"print", "S", "J", "0", tpt, "INVOICE", Path("empty.txt")}).status, 2);
  Write(Path("note.txt"), "hello\n");
  EXPECT_EQ(Run({"print", "S", "J", "0", tpt, "INVOICE", Path("note.txt"), "--copies", "0"}).status, 2);
}
