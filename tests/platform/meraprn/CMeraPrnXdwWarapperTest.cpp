// The DocuWorks Desk folders of a desktop: the documents folder as the user
// folder, the file chooser's bookmarks as link folders, and every kind of
// bookmark that must be left out.
#include <gtest/gtest.h>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/meraprn/CMeraPrnXdwWarapper.h"
#include "tests/xdw/XdwDeskHome.h"

namespace {

using mbcs::Cp932;

// The link folders shown, as "name path"; the left-out ones must leave the
// caller's texts alone.
std::vector<std::string> Links(const CMeraPrnXdwWarapper& desk) {
  std::vector<std::string> links;
  for (int32_t i = 0; i < desk.GetLinkFolderCount(); ++i) {
    std::string name = "untouched", path = "untouched";
    if (desk.GetLinkFolderInfo(i, name, path)) {
      links.push_back(name + " " + path);
    } else {
      EXPECT_EQ(name + " " + path, "untouched untouched");
    }
  }
  return links;
}

// The desktop's documents folder when it exists and code page 932 can name
// it; without a user-dirs setting, Documents in the home.
TEST(XdwDesk, UserFolderIsTheDesktopsDocumentsFolder) {
  xdwtest::DeskHome home;
  home.Documents("書類");
  EXPECT_EQ(CMeraPrnXdwWarapper().GetApplicationInfo(MeraPrnXdwAppInfoUserFolder), "");
  home.Dir("書類");
  CMeraPrnXdwWarapper desk;
  EXPECT_EQ(desk.GetApplicationInfo(MeraPrnXdwAppInfoUserFolder), home.Cp("書類"));
  EXPECT_EQ(desk.GetApplicationInfo(0), "");
  EXPECT_EQ(desk.GetApplicationInfo(3), "");
  EXPECT_EQ(desk.GetLinkFolderCount(), 0);  // no bookmarks file

  home.Dir("Documents");  // no stand-in for a folder that cannot be named
  home.Documents("\xF0\x9F\x93\x81");
  home.Dir("\xF0\x9F\x93\x81");
  EXPECT_EQ(CMeraPrnXdwWarapper().GetApplicationInfo(MeraPrnXdwAppInfoUserFolder), "");

  std::filesystem::remove(home.Native(".config/user-dirs.dirs"));
  EXPECT_EQ(CMeraPrnXdwWarapper().GetApplicationInfo(MeraPrnXdwAppInfoUserFolder), home.Cp("Documents"));
}

TEST(XdwDesk, LinkFoldersAreLocalBookmarkedDirectoriesInFileOrder) {
  xdwtest::DeskHome home;
  home.Dir("links/プロジェクト");
  home.Dir("links/plain dir");
  home.Dir("links/\xF0\x9F\x98\x80");
  home.File("links/notes.txt");
  home.Bookmarks({
      home.Url("links/プロジェクト") + " " + "案件 2024",
      home.Url("links/notes.txt"),
      "sftp://server/home/user",
      "file://otherhost" + home.Native("links/plain dir"),
      home.Url("links/plain dir"),
      home.Url("links") + "%zz",
      home.Url("links/\xF0\x9F\x98\x80"),
      home.Url("links/gone"),
      "",
      "file://localhost" + home.Native("links") + "\r",
  });
  CMeraPrnXdwWarapper desk;
  EXPECT_EQ(desk.GetLinkFolderCount(), 9);
  EXPECT_EQ(Links(desk), (std::vector<std::string>{Cp932("案件 2024") + " " + home.Cp("links/プロジェクト"),
                                                   "plain dir " + home.Cp("links/plain dir"), "links " + home.Cp("links")}));

  std::string name, path;
  EXPECT_EQ(desk.GetLinkFolderInfo(-1, name, path), 0);
  EXPECT_EQ(desk.GetLinkFolderInfo(9, name, path), 0);
}

}  // namespace
