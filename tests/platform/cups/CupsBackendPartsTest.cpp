// The parts of the CUPS backend that need no daemon: media keywords and sizes
// to paper numbers, state reasons to status bits, media sources to bins, the
// list rules that keep every number naming exactly one paper, the lpoptions
// files read for a printer asked for by name and for the user's default
// printer, and the bound on a libcups call.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "platform/cups/AnswerDeadline.h"
#include "platform/cups/MediaSourceBins.h"
#include "platform/cups/PaperNumbers.h"
#include "platform/cups/PrinterMediaList.h"
#include "platform/cups/PrinterStateBits.h"
#include "platform/cups/SavedOptions.h"
#include "platform/cups/UserRangeNumbers.h"
#include "platform/spooler/WinSpool.h"
#include "tests/support/Sandbox.h"

using spooler::AnswerDeadline;
using spooler::MediaSourceBins;
using spooler::PaperNumbers;
using spooler::PrinterMediaList;
using spooler::PrinterStateBits;
using spooler::SavedOptions;
using spooler::UserRangeNumbers;
using ::testing::ElementsAre;
using testsupport::ScopedEnv;

namespace {

std::vector<std::string> Names(const std::vector<PrinterMediaList::Entry>& entries) {
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name);
  return names;
}

std::map<std::string, std::string> Saved(const SavedOptions& saved, const std::string& printer) {
  cups_option_t* options = nullptr;
  int count = cupsAddOption("media", "from-the-server", 0, &options);
  count = saved.Apply(printer, count, &options);
  std::map<std::string, std::string> out;
  for (int i = 0; i < count; ++i) out[options[i].name] = options[i].value;
  cupsFreeOptions(count, options);
  return out;
}

}  // namespace

TEST(PaperNumbers, NameDecidesAndElseTheSizeWithinAMillimetreInEitherOrientation) {
  // JIS and ISO B sizes differ by a few millimetres; the name must win.
  EXPECT_EQ(PaperNumbers::ForMedia("jis_b5_182x257mm", 18200, 25700), 13);
  EXPECT_EQ(PaperNumbers::ForMedia("iso_b5_176x250mm", 17600, 25000), 34);
  EXPECT_EQ(PaperNumbers::ForMedia("jis_b4_257x364mm", 25718, 36407), 12);
  EXPECT_EQ(PaperNumbers::ForMedia("iso_b4_250x353mm", 0, 0), 42);
  // A name wins even over a contradicting size.
  EXPECT_EQ(PaperNumbers::ForMedia("iso_a4_210x297mm", 21590, 27940), 9);
  // Variants of one paper keep its number.
  EXPECT_EQ(PaperNumbers::ForMedia("jpn_hagaki_100x148mm_borderless", 9984, 14817), 43);
  EXPECT_EQ(PaperNumbers::ForMedia("na_10x11_10x11in", 0, 0), 45);
  for (const char* spelling : {"na_11x15_11x15in", "oe_15x11in", "custom_15x11in_15x11in"}) {
    EXPECT_EQ(PaperNumbers::ForMedia(spelling, 0, 0), 46) << spelling;
  }
  // PPD sizes are whole points: A4 comes back as 209.9 x 297.04 mm.
  EXPECT_EQ(PaperNumbers::ForMedia("custom_A4ish", 20990, 29704), 9);
  EXPECT_EQ(PaperNumbers::ForMedia("custom_A4ish", 29704, 20990), 9);
  EXPECT_EQ(PaperNumbers::ForMedia("Postcard", 10100, 14700), 43);
  EXPECT_EQ(PaperNumbers::ForMedia("Postcard", 10101, 14800), 0);
  // Landscape 17 x 11 in is the tabloid number, not its rotated twin.
  EXPECT_EQ(PaperNumbers::ForMedia("custom_17x11in_17x11in", 43180, 27940), 3);
  EXPECT_EQ(PaperNumbers::ForMedia("custom_80x180mm_80x180mm", 8000, 18000), 0);
  EXPECT_EQ(PaperNumbers::ForMedia("", 0, 0), 0);
  // A name that merely looks like a size part is not stripped to nothing.
  EXPECT_EQ(PaperNumbers::ForMedia("x_mm", 0, 0), 0);
}

TEST(UserRangeNumbers, StablePerNameUniqueAndNeverTheUserDefinedSize) {
  UserRangeNumbers first(257, 32767), second(257, 32767);
  // Another process numbering the same name in another order agrees.
  int16_t slip = first.Number("custom_80x180mm_80x180mm");
  second.Number("something_else");
  EXPECT_EQ(second.Number("custom_80x180mm_80x180mm"), slip);
  EXPECT_EQ(first.Number("custom_80x180mm_80x180mm"), slip);

  std::set<int16_t> seen;
  for (int i = 0; i < 3000; ++i) {
    int16_t n = first.Number("paper-" + std::to_string(i));
    EXPECT_GE(n, 257);
    EXPECT_LE(n, 32767);
    EXPECT_TRUE(seen.insert(n).second) << "number " << n << " given twice";
  }
  // A full small range still hands out each number once.
  UserRangeNumbers tiny(257, 259);
  std::set<int16_t> three{tiny.Number("a"), tiny.Number("b"), tiny.Number("c")};
  EXPECT_EQ(three, (std::set<int16_t>{257, 258, 259}));
}

TEST(PrinterStateBits, StateAndReasonsCombineAndTheSuffixSaysSeverityNotMeaning) {
  EXPECT_EQ(PrinterStateBits::From(3, "none"), 0u);
  EXPECT_EQ(PrinterStateBits::From(3, ""), 0u);
  EXPECT_EQ(PrinterStateBits::From(4, "none"), PRINTER_STATUS_PRINTING);
  // Stopped is paused only when the reasons say so; otherwise it is an error.
  EXPECT_EQ(PrinterStateBits::From(5, "paused"), PRINTER_STATUS_PAUSED);
  EXPECT_EQ(PrinterStateBits::From(5, "none"), PRINTER_STATUS_ERROR);
  EXPECT_EQ(PrinterStateBits::From(5, "media-jam-error"), PRINTER_STATUS_ERROR | PRINTER_STATUS_PAPER_JAM);
  EXPECT_EQ(PrinterStateBits::From(3, "media-empty-error, toner-low-warning,door-open-report"),
            PRINTER_STATUS_PAPER_OUT | PRINTER_STATUS_TONER_LOW | PRINTER_STATUS_DOOR_OPEN);
  // A reason with a bit of its own does not also raise the error bit.
  EXPECT_EQ(PrinterStateBits::From(3, "media-needed-error"), PRINTER_STATUS_PAPER_OUT);
  EXPECT_EQ(PrinterStateBits::From(3, "offline-report"), PRINTER_STATUS_OFFLINE);
  EXPECT_EQ(PrinterStateBits::From(3, "marker-supply-empty-warning"), PRINTER_STATUS_NO_TONER);
  // Unknown reasons count only as errors.
  EXPECT_EQ(PrinterStateBits::From(3, "fuser-over-temp-error"), PRINTER_STATUS_ERROR);
  EXPECT_EQ(PrinterStateBits::From(3, "cups-missing-filter-warning"), 0u);
  EXPECT_EQ(PrinterStateBits::From(3, "-error"), 0u);
  // The suffix is stripped once: a reason that only contains it is unknown.
  EXPECT_EQ(PrinterStateBits::From(3, "media-jam-error-report"), 0u);
}

TEST(MediaSourceBins, TraysAndUnknownSourcesGetStableDriverNumbers) {
  EXPECT_EQ(MediaSourceBins::Number("tray-1"), 256);
  EXPECT_EQ(MediaSourceBins::Number("tray-3"), 258);
  int16_t bypass = MediaSourceBins::Number("by-pass-tray");
  EXPECT_GE(bypass, 256);
  EXPECT_EQ(MediaSourceBins::Number("by-pass-tray"), bypass);
  EXPECT_NE(MediaSourceBins::Number("tray-0"), 255);
  EXPECT_NE(MediaSourceBins::Number("tray-2x"), MediaSourceBins::Number("tray-2"));
  EXPECT_EQ(MediaSourceBins::Name("tray-12"), "トレイ 12");
  EXPECT_EQ(MediaSourceBins::Name("by-pass-tray"), "by-pass-tray");
}

TEST(PrinterMediaList, EveryNumberNamesOnePaperAndKnownPapersReplaceAMereSizeButKeepRealNames) {
  PrinterMediaList list;
  list.AddPaper("na_11x15_11x15in", 27940, 38100, "");
  list.AddPaper("custom_15x11in_15x11in_borderless", 38100, 27940, "Fanfold");
  list.AddPaper("custom_15x11in_15x11in", 38100, 27940, "again");  // a variant of the one before
  list.AddPaper("custom_80.08x179.92mm_80.08x179.92mm", 8008, 17992, "");
  list.AddPaper("iso_a4_210x297mm", 20990, 29704, "210 x 297 mm");
  EXPECT_THAT(Names(list.Papers()), ElementsAre("15x11", "Fanfold", "80 x 180 mm", "A4"));
  EXPECT_EQ(list.Papers()[0].number, 46);
  EXPECT_GT(list.Papers()[1].number, 256);
  EXPECT_GT(list.Papers()[2].number, 256);
  EXPECT_NE(list.Papers()[2].number, list.Papers()[1].number);

  // Known papers replace a mere size but keep real names.
  list = PrinterMediaList();
  list.AddPaper("jpn_hagaki_100x148mm_borderless", 9984, 14817, "100 x 148 mm (ふちなし)");
  list.AddPaper("na_letter_8.5x11in", 21590, 27940, "8.5 x 11 \"");
  list.AddPaper("iso_a4_210x297mm", 20990, 29704, "A4 普通紙");
  list.AddPaper("iso_a3_297x420mm", 29704, 42016, "297 x 420 millimetres");
  list.AddPaper("custom_80x180mm_80x180mm", 8000, 18000, "80 x 180 mm");
  EXPECT_THAT(Names(list.Papers()),
              ElementsAre("はがき (ふちなし)", "レター", "A4 普通紙", "297 x 420 millimetres", "80 x 180 mm"));
}

TEST(PrinterMediaList, EmptyListsAndStrayDefaultsFallBack) {
  PrinterMediaList raw;
  raw.Finish();
  EXPECT_THAT(Names(raw.Papers()), ElementsAre("A4"));
  EXPECT_EQ(raw.Papers()[0].number, 9);
  ASSERT_EQ(raw.Bins().size(), 1u);
  EXPECT_EQ(raw.Bins()[0].number, 7);
  EXPECT_EQ(raw.DefaultPaper(), 9);
  EXPECT_EQ(raw.DefaultBin(), 7);

  PrinterMediaList dot;
  dot.AddPaper("na_letter_8.5x11in", 21590, 27940, "");
  dot.AddPaper("jis_b4_257x364mm", 25718, 36407, "");
  dot.AddBin("tractor", "tractor");  // CUPS echoes keywords it cannot localise
  dot.AddBin("main", "Main");
  // An old option file's spelling still finds the printer's paper.
  dot.SetDefaultPaper("B4", 25700, 36400);
  dot.SetDefaultBin("no-such-source");
  dot.Finish();
  EXPECT_EQ(dot.DefaultPaper(), 12);
  EXPECT_EQ(dot.DefaultBin(), 8);  // automatic selection is not among its bins
  EXPECT_THAT(Names(dot.Bins()), ElementsAre("トラクタ", "Main"));

  PrinterMediaList missing;
  missing.AddPaper("na_letter_8.5x11in", 21590, 27940, "");
  missing.SetDefaultPaper("iso_a3_297x420mm", 29700, 42000);
  missing.Finish();
  EXPECT_EQ(missing.DefaultPaper(), 1);
}

TEST(PrinterMediaList, SidesAndColourModesOfferOnlyWhatThePrinterSupports) {
  PrinterMediaList mono;
  mono.AddSides("one-sided");
  mono.AddColorMode("monochrome");
  mono.AddColorMode("auto");
  mono.SetDefaultSides("two-sided-long-edge");  // an option the printer cannot honour
  mono.SetDefaultColorMode("auto");
  EXPECT_FALSE(mono.OffersDuplex());
  EXPECT_FALSE(mono.OffersColor());
  EXPECT_EQ(mono.DefaultDuplex(), 1);
  EXPECT_EQ(mono.DefaultColor(), 1);

  PrinterMediaList colour;
  for (const char* k : {"one-sided", "two-sided-long-edge", "two-sided-short-edge"}) colour.AddSides(k);
  for (const char* k : {"monochrome", "color"}) colour.AddColorMode(k);
  colour.SetDefaultSides("two-sided-short-edge");
  colour.SetDefaultColorMode("auto");
  EXPECT_TRUE(colour.OffersDuplex());
  EXPECT_TRUE(colour.OffersColor());
  EXPECT_EQ(colour.DefaultDuplex(), 3);
  EXPECT_EQ(colour.DefaultColor(), 2);
  // The user's options come last and win.
  colour.SetDefaultSides("one-sided");
  colour.SetDefaultColorMode("monochrome");
  EXPECT_EQ(colour.DefaultDuplex(), 1);
  EXPECT_EQ(colour.DefaultColor(), 1);
}

TEST(SavedOptions, TheUsersLinesWinInstancesAndOtherPrintersDoNot) {
  SavedOptions saved({"Dest LaserA media=iso_a4_210x297mm sides=one-sided\n"
                      "Dest LaserA/draft media=iso_a5_148x210mm\n",
                      "# Dest LaserA media=na_letter_8.5x11in\n"
                      "dest lasera media=iso_a3_297x420mm\r\n"
                      "Default LaserA print-color-mode=monochrome job-sheets='none,none'\n"
                      "Dest Other media=custom\n"});
  auto laser = Saved(saved, "LaserA");
  EXPECT_EQ(laser["media"], "iso_a3_297x420mm");
  EXPECT_EQ(laser["sides"], "one-sided");
  EXPECT_EQ(laser["print-color-mode"], "monochrome");
  EXPECT_EQ(laser["job-sheets"], "none,none");
  EXPECT_EQ(laser.size(), 4u);
  EXPECT_EQ(Saved(saved, "Nobody"), (std::map<std::string, std::string>{{"media", "from-the-server"}}));
  EXPECT_EQ(Saved(SavedOptions({"", "Dest"}), "LaserA").size(), 1u);
}

TEST(SavedOptions, TheUsersDefaultComesFromTheEnvironmentThenTheUsersFileThenTheSystems) {
  const auto root = std::filesystem::temp_directory_path() / ("quorprn-lpoptions-" + std::to_string(getpid()));
  std::filesystem::create_directories(root / "home/.cups");
  std::filesystem::create_directories(root / "etc");
  std::ofstream(root / "etc/lpoptions") << "Default SysQ\n";
  ScopedEnv home("HOME", (root / "home").string());
  ScopedEnv etc("CUPS_SERVERROOT", (root / "etc").string());
  ScopedEnv lpdest("LPDEST", std::nullopt);
  ScopedEnv printer("PRINTER", "lp");  // the old placeholder names nothing
  EXPECT_EQ(SavedOptions::UserDefault(), "SysQ");
  std::ofstream(root / "home/.cups/lpoptions") << "Default Old\nDest LaserA media=a4\nDefault UserQ/draft\n";
  EXPECT_EQ(SavedOptions::UserDefault(), "UserQ/draft");
  setenv("PRINTER", "EnvQ", 1);
  EXPECT_EQ(SavedOptions::UserDefault(), "EnvQ");
  setenv("LPDEST", "DestQ", 1);
  EXPECT_EQ(SavedOptions::UserDefault(), "DestQ");
  std::filesystem::remove_all(root);
}

// A read that nothing answers ends when the time is up; one answered in time
// leaves the connection as it was.
TEST(AnswerDeadline, EndsAWaitThatNothingAnswersAndLeavesAnAnsweredOneAlone) {
  int silent[2], talking[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, silent), 0);
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, talking), 0);
  char c = 0;
  {
    AnswerDeadline bound(silent[0], 0.1);
    EXPECT_EQ(recv(silent[0], &c, 1, 0), 0);
    EXPECT_TRUE(bound.Expired());
  }
  {
    AnswerDeadline bound(talking[0], 0.2);
    ASSERT_EQ(send(talking[1], "a", 1, 0), 1);
    EXPECT_EQ(recv(talking[0], &c, 1, 0), 1);
    EXPECT_FALSE(bound.Expired());
  }
  usleep(300 * 1000);
  ASSERT_EQ(send(talking[1], "b", 1, 0), 1);
  EXPECT_EQ(recv(talking[0], &c, 1, 0), 1);
  EXPECT_EQ(c, 'b');
  EXPECT_FALSE(AnswerDeadline(-1, 0.0).Expired());
  for (int fd : {silent[0], silent[1], talking[0], talking[1]}) close(fd);
}
