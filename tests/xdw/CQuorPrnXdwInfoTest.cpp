// Document-file output settings against the in-memory hive: what a host gets
// with nothing or odd values stored, what is written and what is not, failing
// writes, the output switch, the cleaning of code page 932 file names, and a
// real hive file that the next process reads back byte for byte.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/mbcs/Cp932Converter.h"
#include "quorprn/QuorPrn.h"
#include "tests/support/Sandbox.h"

using registry::RegOp;
using testsupport::StoredNumber;
using testsupport::StoredText;

class CQuorPrnXdwInfoTestPeer {
 public:
  static std::string Clean(const std::string& text) { return CQuorPrnXdwInfo::ProhibitCutString(text); }
  static int StoreWhole(CQuorPrnXdwInfo& info, const CMeraPrnXdwOutputInfo& d) { return info._UpdateRegistryWhole(d); }
};

namespace {

const std::string kKey = testsupport::kPrintKey + "\\FileSet00\\DocuWorks";

CMeraPrnXdwOutputInfo Described(int32_t print, int32_t color, int32_t output, const std::string& folder) {
  CMeraPrnXdwOutputInfo d;
  d.Initialize(MeraPrnXdwPrintType(print), MeraPrnXdwColorType(color), MeraPrnXdwOutputType(output), folder, "", "", "",
               "");
  return d;
}
// "print colour output | folder | input folder | output folder" of what a host gets.
std::string Shown(const CMeraPrnXdwOutputInfo& o) {
  return std::to_string(o.GetPrintType()) + " " + std::to_string(o.GetColorType()) + " " +
         std::to_string(o.GetOutputType()) + " | " + o.GetFolderPath() + " | " + o.GetInputFolder() + " | " +
         o.GetOutputFolder();
}

class XdwInfo : public testsupport::Sandbox {
 protected:
  void SetUp() override {
    Sandbox::SetUp();
    info.Initialize("SYS", "JOB", "", "", "pass");
  }
  // Values a host stored earlier, written past the class under test.
  static void Store(const char* name, testsupport::RegValue value) { testsupport::Seed(kKey, {{name, value}}); }
  // The folder a host gets with `stored` as the stored folder.
  std::string FolderOf(const std::string& stored) {
    Store("XdwFolderPath", stored);
    return info.GetOutputInfo("").GetFolderPath();
  }
  // The output folder for a customer named by these two parts.
  std::string OutputFolder(const std::string& part1, const std::string& part2) {
    info.Initialize("SYS", "JOB", part1, part2, "");
    return info.GetOutputInfo("").GetOutputFolder();
  }

  CQuorPrnXdwInfo info;
};

TEST_F(XdwInfo, NothingStoredOrNumbersOutOfRangeGiveTheDefaults) {
  CMeraPrnXdwOutputInfo out = info.GetOutputInfo("a:b?.xdw");
  EXPECT_EQ(Shown(out), Shown(CMeraPrnXdwOutputInfo()));
  EXPECT_EQ(out.GetFileName(), "ab.xdw");
  EXPECT_EQ(out.GetPassThrough(), "pass");
  EXPECT_FALSE(hive->HasKey("SOFTWARE"));  // reading created nothing

  Store("XdwOutputType", 2);
  Store("XdwFolderPath", "D:\\out");
  Store("DefXdwFolder", "D:\\in");
  Store("XdwColorType", 16);
  Store("XdwPrintType", 2);
  EXPECT_EQ(Shown(info.GetOutputInfo("f")), "2 16 2 | D:\\out\\ | D:\\in\\ | D:\\in\\");

  Store("XdwColorType", 17);
  Store("XdwPrintType", -1);
  Store("XdwOutputType", 3);
  EXPECT_EQ(Shown(info.GetOutputInfo("")), "0 0 0 | D:\\out\\ | D:\\in\\ | D:\\out\\");
}

// A folder ends with exactly one separator. On this machine a trailing
// backslash would be part of a file name, so paths of its own file system take
// '/'; reading never rewrites what is stored.
TEST_F(XdwInfo, FoldersEndWithExactlyOneSeparatorAndStayAsStored) {
  Store("DefXdwFolder", "C:\\in\\");
  EXPECT_EQ(FolderOf("C:\\out"), "C:\\out\\");
  EXPECT_EQ(info.GetOutputInfo("").GetInputFolder(), "C:\\in\\");
  // The 0x5C of a double-byte character is no separator, and a dangling lead
  // byte must not swallow the one appended.
  EXPECT_EQ(FolderOf("C:\\" + mbcs::Cp932("ソ")), "C:\\\x83\x5C\\");
  EXPECT_EQ(FolderOf("C:\\a\x83"), "C:\\a\\");
  EXPECT_EQ(FolderOf(""), "");

  Store("XdwFolderPath", "/srv/xdw");
  Store("DefXdwFolder", "/srv/in/");
  Store("XdwOutputType", 1);
  info.Initialize("SYS", "JOB", "12/3", "ABC:", "");
  EXPECT_EQ(Shown(info.GetOutputInfo("")), "0 0 1 | /srv/xdw/ | /srv/in/ | /srv/xdw/123ABC/");
  EXPECT_EQ(StoredText(kKey, "XdwFolderPath"), "/srv/xdw");
  // A backslash at the end of such a path is a name's last character.
  EXPECT_EQ(FolderOf("/srv/a\\"), "/srv/a\\/");
  Store("XdwFolderPath", "/" + mbcs::Cp932("出力ソ"));
  EXPECT_EQ(info.GetOutputInfo("").GetOutputFolder(), "/" + mbcs::Cp932("出力ソ") + "/123ABC/");
}

TEST_F(XdwInfo, CustomerFolderJoinsCleanedPartsBelowTheFolder) {
  Store("XdwOutputType", 1);
  Store("XdwFolderPath", "D:\\out");
  EXPECT_EQ(OutputFolder("12/3", "ABC:"), "D:\\out\\123ABC\\");
  EXPECT_EQ(OutputFolder("", "X"), "D:\\out\\X\\");
  const std::string longPart(5000, 'n');
  EXPECT_EQ(OutputFolder(longPart, longPart), "D:\\out\\" + longPart + longPart + "\\");
  EXPECT_EQ(OutputFolder("", ""), "D:\\out\\");
  Store("XdwFolderPath", "");
  EXPECT_EQ(OutputFolder("12", "AB"), "");
}

TEST_F(XdwInfo, WritesOnlyWhatChangedOrWasGiven) {
  ASSERT_EQ(info.UpdateRegistry(Described(2, 5, 1, "D:\\out")), 1);
  EXPECT_EQ(Shown(info.GetOutputInfo("")), "2 5 1 | D:\\out\\ |  | D:\\out\\");
  EXPECT_FALSE(hive->HasValue(kKey, "DefXdwFolder"));

  hive->ResetCounts();
  EXPECT_EQ(info.UpdateRegistry(Described(2, 5, 1, "D:\\out")), 1);
  EXPECT_EQ(hive->Count(RegOp::SetNumber), 0);
  EXPECT_EQ(hive->Count(RegOp::SetText), 0);
  // An empty folder path is not written where none is stored.
  CQuorPrnXdwInfo other;
  other.Initialize("SYS", "OTHER", "", "", "");
  EXPECT_EQ(other.UpdateRegistry(Described(0, 0, 0, "")), 1);
  EXPECT_EQ(hive->Count(RegOp::SetText), 0);

  ASSERT_EQ(info.UpdateRegistryInputFolder("D:\\in"), 1);
  hive->ResetCounts();
  EXPECT_EQ(info.UpdateRegistryInputFolder(""), 1);
  EXPECT_EQ(hive->Count(RegOp::CreateKey), 0);
  EXPECT_EQ(info.GetOutputInfo("").GetInputFolder(), "D:\\in\\");
}

TEST_F(XdwInfo, NoKeyWithoutSystemAndJobAndFailedWritesStopWithEarlierValuesKept) {
  CQuorPrnXdwInfo blank;
  EXPECT_EQ(blank.UpdateRegistry(Described(1, 1, 1, "D:\\out")), 0);
  EXPECT_EQ(blank.UpdateRegistryInputFolder("D:\\in"), 0);
  blank.Initialize("SYS", "", "", "", "");
  EXPECT_EQ(blank.UpdateRegistry(Described(1, 1, 1, "D:\\out")), 0);
  EXPECT_FALSE(hive->HasKey("SOFTWARE"));

  hive->InjectFault({RegOp::SetNumber, "", "XdwColorType"});
  EXPECT_EQ(info.UpdateRegistry(Described(1, 3, 2, "D:\\out")), 0);
  EXPECT_TRUE(hive->HasValue(kKey, "XdwPrintType"));
  EXPECT_FALSE(hive->HasValue(kKey, "XdwColorType"));
  EXPECT_FALSE(hive->HasValue(kKey, "XdwOutputType"));
  EXPECT_FALSE(hive->HasValue(kKey, "XdwFolderPath"));
  hive->InjectFault({RegOp::CreateKey, "", ""});
  EXPECT_EQ(info.UpdateRegistry(Described(1, 3, 2, "D:\\out")), 0);
  hive->InjectFault({RegOp::CreateKey, "", ""});
  EXPECT_EQ(info.UpdateRegistryInputFolder("D:\\in"), 0);
  hive->InjectFault({RegOp::SetText, "", "DefXdwFolder"});
  EXPECT_EQ(info.UpdateRegistryInputFolder("D:\\in"), 0);
}

TEST_F(XdwInfo, PartialUpdateWritesOnlyTheGivenValues) {
  Store("XdwColorType", 17);  // out of range: read back as the default, must stay stored as is
  Store("XdwFolderPath", "C:\\XDW");
  const int32_t binder = 2;
  ASSERT_EQ(info.UpdateRegistryValues(&binder, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(StoredNumber(kKey, "XdwColorType"), 17);
  EXPECT_EQ(StoredText(kKey, "XdwFolderPath"), "C:\\XDW");
  EXPECT_FALSE(hive->HasValue(kKey, "XdwOutputType"));
  EXPECT_EQ(info.GetOutputInfo("").GetPrintType(), 2);

  hive->InjectFault({RegOp::SetText, "", "XdwFolderPath"});
  const std::string other = "D:\\other";
  EXPECT_EQ(info.UpdateRegistryValues(nullptr, nullptr, nullptr, &other), 0);
}

// What the output dialog stores: all four values or, after a failed write,
// exactly what was there before.
TEST_F(XdwInfo, StoringAsAWholePutsBackWhatWasStoredWhenAWriteFails) {
  using Peer = CQuorPrnXdwInfoTestPeer;
  hive->InjectFault({RegOp::SetText, "", "XdwFolderPath"});
  EXPECT_EQ(Peer::StoreWhole(info, Described(1, 3, 2, "/srv/out")), 0);
  EXPECT_FALSE(hive->HasKey(kKey));

  // A value stored before is put back as it was, even one out of range; one
  // missing before and written before the failure reads as the default it
  // was; one never reached stays missing.
  Store("XdwColorType", 99);
  Store("XdwFolderPath", "D:\\old");
  hive->InjectFault({RegOp::SetNumber, "", "XdwOutputType"});
  EXPECT_EQ(Peer::StoreWhole(info, Described(1, 3, 2, "/srv/out")), 0);
  EXPECT_EQ(StoredNumber(kKey, "XdwColorType"), 99);
  EXPECT_EQ(StoredNumber(kKey, "XdwPrintType"), CMeraPrnXdwOutputInfo().GetPrintType());
  EXPECT_FALSE(hive->HasValue(kKey, "XdwOutputType"));
  EXPECT_EQ(StoredText(kKey, "XdwFolderPath"), "D:\\old");
  Store("XdwOutputType", 1);
  const auto before = hive->Dump(kKey);
  hive->InjectFault({RegOp::SetText, "", "XdwFolderPath"});
  EXPECT_EQ(Peer::StoreWhole(info, Described(1, 3, 2, "/srv/out")), 0);
  EXPECT_EQ(hive->Dump(kKey), before);

  EXPECT_EQ(Peer::StoreWhole(info, Described(1, 3, 2, "/srv/out")), 1);
  EXPECT_EQ(info.GetOutputInfo("").GetFolderPath(), "/srv/out/");
  EXPECT_EQ(info.GetOutputInfo("").GetColorType(), 3);
}

TEST(XdwSwitch, ConstructionAndDestructionTurnItOffButCopyingDoesNot) {
  CPrnDoc::EnableXdwOutputPrint(1);
  auto first = std::make_unique<CQuorPrnXdwInfo>();
  EXPECT_EQ(first->IsEnableXdwOutputPrint(), 0);
  first->EnableXdwOutputPrint(1);
  {
    CQuorPrnXdwInfo copy(*first);
    EXPECT_EQ(CPrnDoc::IsEnableXdwOutputPrint(), 1);
    copy = *first;
    EXPECT_EQ(CPrnDoc::IsEnableXdwOutputPrint(), 1);
  }
  EXPECT_EQ(CPrnDoc::IsEnableXdwOutputPrint(), 0);
  first->EnableXdwOutputPrint(1);
  first.reset();
  EXPECT_EQ(CPrnDoc::IsEnableXdwOutputPrint(), 0);
}

TEST(XdwFileName, CleaningKeepsDoubleByteCharactersWhole) {
  using Peer = CQuorPrnXdwInfoTestPeer;
  EXPECT_EQ(Peer::Clean("a\\b/c:d*e?f<g>h|i\"j"), "abcdefghij");
  // ソ and 表 end in 0x5C; half-width katakana is a single byte.
  std::string kept = mbcs::Cp932("ソ表ﾃ") + "x";
  EXPECT_EQ(Peer::Clean(kept), kept);
  EXPECT_EQ(Peer::Clean("ab\x83"), "ab");   // dangling lead byte at the end
  EXPECT_EQ(Peer::Clean("a\x83/b"), "ab");  // no lead byte may shield a '/'
  EXPECT_EQ(Peer::Clean(""), "");
}

TEST(XdwInfoOnHiveFile, SettingsSurviveReopeningTheFile) {
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() / ("quorprn-xdw-" + std::to_string(getpid()) + ".db");
  fs::remove(file);
  const std::string folder = "D:\\" + mbcs::Cp932("出力ソ");
  registry::Registry::UseFile(file.string());
  CQuorPrnXdwInfo info;
  info.Initialize("SYS", "JOB", "", "", "");
  EXPECT_EQ(info.UpdateRegistry(Described(MeraPrnXdwPrintBinder, 16, MeraPrnXdwOutputInputFolder, folder)), 1);
  EXPECT_EQ(info.UpdateRegistryInputFolder(folder + "\\in"), 1);
  registry::Registry::Reset();
  registry::Registry::UseFile(file.string());
  CQuorPrnXdwInfo reader;  // a fresh object, as the next process has
  reader.Initialize("SYS", "JOB", "", "", "");
  EXPECT_EQ(Shown(reader.GetOutputInfo("x")),
            "2 16 2 | " + folder + "\\ | " + folder + "\\in\\ | " + folder + "\\in\\");
  registry::Registry::Reset();
  fs::remove(file);
}

}  // namespace
