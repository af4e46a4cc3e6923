// Listing a folder for the DocuWorks folder tree: what is shown, in which
// order, and what is left out.
#include <gtest/gtest.h>

#include "platform/mbcs/Cp932Converter.h"
#include "tests/xdw/XdwDeskHome.h"
#include "xdw/CQuorPrnXdwSubfolders.h"

namespace {

using mbcs::Cp932;
using Names = std::vector<std::string>;

TEST(XdwSubfolders, DirectoriesOnlyInFileChooserOrderWithUnnameableOnesLeftOut) {
  xdwtest::DeskHome home;
  for (const char* d : {"f/b", "f/A", "f/a", "f/10", "f/9", "f/009x", "f/報告", "f/.hidden", "f/\xF0\x9F\x98\x80",
                        "f/\xFF\xFE", "target"}) {
    home.Dir(d);
  }
  home.File("f/file.txt");
  std::filesystem::create_directory_symlink(home.Native("target"), home.Native("f/link"));
  EXPECT_EQ(CQuorPrnXdwSubfolders::List(home.Cp("f")),
            (Names{".hidden", "9", "009x", "10", "A", "a", "b", "link", Cp932("報告")}));
  // The same folder named without its trailing separator lists the same.
  EXPECT_EQ(CQuorPrnXdwSubfolders::List(home.Cp("f", false)).size(), 9u);
}

TEST(XdwSubfolders, FoldersThatCannotBeListedHaveNoSubfolders) {
  xdwtest::DeskHome home;
  home.Dir("sub/x");
  home.File("plain.txt");
  EXPECT_TRUE(CQuorPrnXdwSubfolders::List(home.Cp("missing")).empty());
  EXPECT_TRUE(CQuorPrnXdwSubfolders::List(home.Cp("plain.txt")).empty());
  EXPECT_TRUE(CQuorPrnXdwSubfolders::List("").empty());
  // A relative or Windows-style path would be read against the working folder.
  EXPECT_TRUE(CQuorPrnXdwSubfolders::List("sub/").empty());
  EXPECT_TRUE(CQuorPrnXdwSubfolders::List("C:\\").empty());
  EXPECT_TRUE(CQuorPrnXdwSubfolders::List("/\x81").empty());  // a lone lead byte
}

TEST(XdwSubfolders, NamesCompareByLetterIgnoringCaseAndByNumberValue) {
  EXPECT_LT(CQuorPrnXdwSubfolders::CompareNames("file2", "file10"), 0);
  EXPECT_LT(CQuorPrnXdwSubfolders::CompareNames("Apple", "banana"), 0);
  EXPECT_LT(CQuorPrnXdwSubfolders::CompareNames("a", "ab"), 0);
  EXPECT_EQ(CQuorPrnXdwSubfolders::CompareNames("x", "x"), 0);
  // Ties that only case or leading zeros make are still ordered, both ways.
  EXPECT_LT(CQuorPrnXdwSubfolders::CompareNames("A", "a"), 0);
  EXPECT_GT(CQuorPrnXdwSubfolders::CompareNames("a", "A"), 0);
  EXPECT_NE(CQuorPrnXdwSubfolders::CompareNames("07", "7"), 0);
}

}  // namespace
