// The DocuWorks output dialog and its folder and binder-colour dialogs,
// driven as a user drives them, on an in-memory hive and a home folder of
// their own: a documents folder with nested subfolders, and bookmarks of a
// labelled folder, a plain folder, a file and a remote place. Also the
// listing of a folder for the folder tree: what is shown, in which order, and
// what is left out.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/CYbListCtrl.h"
#include "platform/ui/CYbTreeCtrl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiMessageBox.h"
#include "platform/ui/UiPictures.h"
#include "quorprn/QuorPrn.h"
#include "tests/support/DialogDriver.h"
#include "tests/xdw/XdwDeskHome.h"
#include "xdw/CQuorPrnXdwBinderColorDlg.h"
#include "xdw/CQuorPrnXdwFolderDlg.h"
#include "xdw/CQuorPrnXdwOutputDlg.h"
#include "xdw/CQuorPrnXdwSubfolders.h"

namespace {

using mbcs::Cp932;
using uitest::DialogDriver;
using Out = CQuorPrnXdwOutputDlg;
using Folder = CQuorPrnXdwFolderDlg;

// Scripts that open several nested dialogs get more time on a loaded machine
// (or a sanitizer build) before the watchdog ends them.
constexpr int kSlowWatchdogMs = 20000;

const std::string kKey = testsupport::kPrintKey + "\\FileSet00\\DocuWorks";
using ColourDlg = CQuorPrnXdwBinderColorDlg;
using uitest::WhenOpened;

// Waits a little for a dialog that a second, wrong run of an action would open.
bool NoModalAbove(QWidget* below) {
  QTest::qWait(100);
  QWidget* top = QApplication::activeModalWidget();
  return top == nullptr || top == below;
}

class XdwDialogs : public uitest::DialogFixture {
 protected:
  void SetUp() override {
    uitest::DialogFixture::SetUp();
    home.Documents("書類");
    for (const char* d : {"書類/報告/2024/9", "書類/報告/2024/10", "書類/報告/Archive", "書類/空", "links/プロジェクト/sub",
                          "links/plain"}) {
      home.Dir(d);
    }
    home.File("書類/memo.txt");
    home.File("links/notes.txt");
    home.Bookmarks({home.Url("links/プロジェクト") + " 案件", home.Url("links/notes.txt"), "sftp://host/srv/share",
                    home.Url("links/plain")});
  }

  static void Store(const char* name, testsupport::RegValue value) { testsupport::Seed(kKey, {{name, value}}); }
  // "print colour output folder" as the settings read back.
  static std::string Stored() {
    CQuorPrnXdwInfo info;
    info.Initialize("SYS", "JOB", "", "", "");
    const CMeraPrnXdwOutputInfo o = info.GetOutputInfo("");
    return std::to_string(o.GetPrintType()) + " " + std::to_string(o.GetColorType()) + " " +
           std::to_string(o.GetOutputType()) + " " + o.GetFolderPath();
  }
  void Prepare(Out& dlg, int showCustomer = 1) {
    dlg.SetShowCustomerFolder(showCustomer);
    dlg.SetHelpId(4711);
    dlg.XdwInfo().Initialize("SYS", "JOB", "", "", "");
  }
  static bool Enabled(QWidget* w) { return w != nullptr && w->isEnabled(); }
  static bool KeyEnabled(CYbDialog& d, int vk) { return d.FuncBar()->IsKeyEnabled(vk); }
  static CYbTreeCtrl& Tree(Folder& d) { return *d.Item<CYbTreeCtrl>(Folder::kIdTree); }
  // The child of `item` with this text (code page 932), or null.
  static HTREEITEM Child(CYbTreeCtrl& t, HTREEITEM item, const std::string& text) {
    for (HTREEITEM c = t.GetChildItem(item); c; c = t.GetNextSiblingItem(c)) {
      if (t.GetItemText(c) == text) return c;
    }
    return nullptr;
  }
  static std::vector<std::string> Children(CYbTreeCtrl& t, HTREEITEM item) {
    std::vector<std::string> names;
    for (HTREEITEM c = t.GetChildItem(item); c; c = t.GetNextSiblingItem(c)) names.push_back(t.GetItemText(c));
    return names;
  }

  xdwtest::DeskHome home;
};

TEST_F(XdwDialogs, PrintTypesAndDestinationsEnableTheirControlsAndAreStoredOnConfirm) {
  Store("XdwFolderPath", home.Cp("書類", false));
  Out dlg;
  Prepare(dlg);
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
    EXPECT_EQ(dlg.IsDlgButtonChecked(Out::kIdRadioSeparate), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(Out::kIdRadioFolder), 1);
    EXPECT_EQ(dlg.GetDlgItemText(Out::kIdEditFolder), home.Cp("書類"));
    EXPECT_FALSE(Enabled(dlg.GetDlgItem(Out::kIdColorButton)));
    EXPECT_FALSE(KeyEnabled(dlg, kVkF9));
    ASSERT_TRUE(drv.ClickButton(Out::kIdRadioBinder));
    EXPECT_TRUE(Enabled(dlg.GetDlgItem(Out::kIdColorButton)));
    EXPECT_TRUE(KeyEnabled(dlg, kVkF9));
    // Choose a colour through F9, then leave the binder: the colour stays.
    WhenOpened<ColourDlg>(&dlg, [](ColourDlg&, DialogDriver& d) {
      ASSERT_TRUE(d.PickListRow(ColourDlg::kIdList, 13));
      d.PressFunctionKey(kVkReturn);
    });
    drv.PressFunctionKey(kVkF9);
    EXPECT_EQ(dlg.GetColorIndex(), 13);
    ASSERT_TRUE(drv.ClickButton(Out::kIdRadioCombined));
    EXPECT_FALSE(Enabled(dlg.GetDlgItem(Out::kIdColorButton)));
    EXPECT_FALSE(KeyEnabled(dlg, kVkF9));
    EXPECT_TRUE(NoModalAbove(&dlg));

    for (int id : {Out::kIdEditFolder, Out::kIdBrowseButton, Out::kIdCheckCustomer}) {
      EXPECT_TRUE(Enabled(dlg.GetDlgItem(id))) << id;
    }
    EXPECT_TRUE(KeyEnabled(dlg, kVkF3));
    ASSERT_TRUE(drv.ClickButton(Out::kIdRadioInput));
    for (int id : {Out::kIdEditFolder, Out::kIdBrowseButton, Out::kIdCheckCustomer}) {
      EXPECT_FALSE(Enabled(dlg.GetDlgItem(id))) << id;
    }
    EXPECT_FALSE(KeyEnabled(dlg, kVkF3));
    ASSERT_TRUE(drv.ClickButton(Out::kIdRadioFolder));
    ASSERT_TRUE(drv.ClickButton(Out::kIdCheckCustomer));
    // The folder cannot be typed into.
    auto* edit = dlg.Item<QLineEdit>(Out::kIdEditFolder);
    EXPECT_TRUE(edit->isReadOnly());
    drv.PressFunctionKey(kVkReturn);
  }, kSlowWatchdogMs), 1);
  // Bundled, binder colour 13, the customer folder below it.
  EXPECT_EQ(Stored(), "1 13 1 " + home.Cp("書類"));
}

TEST_F(XdwDialogs, StoredInputFolderOutputOpensWithTheFolderChoicesOff) {
  Store("XdwOutputType", 2);
  Store("XdwPrintType", 2);
  Out dlg;
  Prepare(dlg);
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
    EXPECT_EQ(dlg.IsDlgButtonChecked(Out::kIdRadioInput), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(Out::kIdCheckCustomer), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(Out::kIdRadioBinder), 1);
    EXPECT_TRUE(Enabled(dlg.GetDlgItem(Out::kIdColorButton)));
    for (int id : {Out::kIdEditFolder, Out::kIdBrowseButton, Out::kIdCheckCustomer}) {
      EXPECT_FALSE(Enabled(dlg.GetDlgItem(id))) << id;
    }
    // An empty folder is no reason for a message with this destination.
    drv.AnswerNextMessageBox(kIdOk);
    drv.PressFunctionKey(kVkReturn);
    EXPECT_FALSE(drv.LastMessageBox().seen);
  }), 1);
  EXPECT_EQ(Stored(), "2 0 2 ");  // into the input folder
  EXPECT_FALSE(hive->HasValue(kKey, "XdwFolderPath"));
}

TEST_F(XdwDialogs, HiddenCustomerChoiceStoresThePlainFolder) {
  Store("XdwOutputType", 1);
  Store("XdwFolderPath", "/srv/xdw");
  Out dlg;
  Prepare(dlg, /*showCustomer=*/0);
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
    EXPECT_FALSE(dlg.GetDlgItem(Out::kIdCheckCustomer)->isVisible());
    EXPECT_EQ(dlg.IsDlgButtonChecked(Out::kIdCheckCustomer), 0);
    drv.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(Stored(), "0 0 0 /srv/xdw/");
  // Confirming writes the folder as shown, with its separator.
  EXPECT_EQ(testsupport::StoredText(kKey, "XdwFolderPath"), "/srv/xdw/");
}

TEST_F(XdwDialogs, MissingFolderIsToldAndKeepsTheDialogOpenWithTheFocusOnTheFolder) {
  Out dlg;
  Prepare(dlg);
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
    dlg.Item<QWidget>(Out::kIdRadioSeparate)->setFocus();
    drv.AnswerNextMessageBox(kIdOk);
    drv.PressFunctionKey(kVkReturn);
    EXPECT_TRUE(drv.LastMessageBox().seen);
    EXPECT_EQ(drv.LastMessageBox().text, Cp932("出力先が指定されていません。"));
    EXPECT_EQ(drv.LastMessageBox().caption, dlg.GetWindowText());
    EXPECT_EQ(drv.LastMessageBox().icon, static_cast<uint32_t>(kMbIconExclamation));
    EXPECT_TRUE(dlg.isVisible());
    // The control that has the focus once the dialog is active again.
    EXPECT_EQ(dlg.focusWidget(), dlg.GetDlgItem(Out::kIdEditFolder));
    drv.PressFunctionKey(kVkEscape);
  }), 2);
  EXPECT_FALSE(hive->HasKey(kKey));
}

TEST_F(XdwDialogs, EachRouteToAnActionOpensItsDialogOnce) {
  Store("XdwPrintType", 2);
  Store("XdwColorType", 4);
  Out dlg;
  Prepare(dlg);
  int colour = 0, folder = 0;
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
    // Cancelling the colour dialog keeps the colour; its double click and
    // its confirm take one.
    WhenOpened<ColourDlg>(&dlg, [&colour](ColourDlg&, DialogDriver& d) {
      ++colour;
      ASSERT_TRUE(d.PickListRow(ColourDlg::kIdList, 2));
      d.PressFunctionKey(kVkEscape);
    });
    ASSERT_TRUE(drv.ClickButton(Out::kIdColorButton));
    EXPECT_TRUE(NoModalAbove(&dlg));
    EXPECT_EQ(dlg.GetColorIndex(), 4);
    WhenOpened<ColourDlg>(&dlg, [&colour](ColourDlg& c) {
      ++colour;
      auto* list = c.Item<CYbListCtrl>(ColourDlg::kIdList);
      EXPECT_EQ(list->GetNextSelectedItem(-1), 4);
      const QPoint at = list->visualItemRect(list->topLevelItem(7)).center();
      // A double click arrives as a click followed by the double click.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    });
    ASSERT_TRUE(drv.ClickBarButton(kVkF9));
    EXPECT_TRUE(NoModalAbove(&dlg));
    EXPECT_EQ(dlg.GetColorIndex(), 7);

    WhenOpened<Folder>(&dlg, [&folder](Folder& f, DialogDriver& d) {
      ++folder;
      HTREEITEM link = Child(Tree(f), Child(Tree(f), Tree(f).GetRootItem(), Cp932("リンクフォルダ")), "plain");
      ASSERT_TRUE(d.PickTreeItem(Folder::kIdTree, link));
      ASSERT_TRUE(d.ClickButton(1));
    });
    ASSERT_TRUE(drv.ClickButton(Out::kIdBrowseButton));
    EXPECT_TRUE(NoModalAbove(&dlg));
    EXPECT_EQ(dlg.GetDlgItemText(Out::kIdEditFolder), home.Cp("links/plain"));
    WhenOpened<Folder>(&dlg, [&folder](Folder&, DialogDriver& d) {
      ++folder;
      ASSERT_TRUE(d.ClickButton(2));
    });
    drv.PressFunctionKey(kVkF3);
    EXPECT_TRUE(NoModalAbove(&dlg));
    EXPECT_EQ(dlg.GetDlgItemText(Out::kIdEditFolder), home.Cp("links/plain"));
    drv.PressFunctionKey(kVkReturn);
  }, kSlowWatchdogMs), 1);
  EXPECT_EQ(colour, 2);
  EXPECT_EQ(folder, 2);
  EXPECT_EQ(Stored(), "2 7 0 " + home.Cp("links/plain"));
}

TEST_F(XdwDialogs, ColourDialogConfirmsTheSelectedRowOrKeepsTheColourWithoutOne) {
  CYbImageList icons;
  icons.Create(16, 16);
  const std::vector<std::string> names = {"a", "b", "c"};
  for (int i = 0; i < 3; ++i) icons.AddPicture(UiPictures::BinderIconId(i, false));
  ColourDlg dlg;
  dlg.SetColorInfo(names, icons, 1);
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
    auto* list = dlg.Item<CYbListCtrl>(ColourDlg::kIdList);
    EXPECT_EQ(list->GetItemText(2, 0), "c");
    EXPECT_EQ(list->GetItemState(1, kLvisSelected | kLvisFocused), kLvisSelected | kLvisFocused);
    list->clearSelection();
    drv.PressFunctionKey(kVkReturn);
  }), 1);
  EXPECT_EQ(dlg.GetColorIndex(), 1);
}

TEST_F(XdwDialogs, FolderTreeShowsTheDeskFoldersAndOpensFoldersAsTheUserDoes) {
  Folder dlg;
  dlg.SetFolderPath(home.Cp("nowhere"));
  EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
    CYbTreeCtrl& t = Tree(dlg);
    HTREEITEM root = t.GetRootItem();
    EXPECT_EQ(t.GetItemText(root), "DocuWorks Desk");
    EXPECT_EQ(Children(t, root), (std::vector<std::string>{Cp932("ユーザーフォルダ"), Cp932("リンクフォルダ")}));
    HTREEITEM user = t.GetChildItem(root);
    HTREEITEM links = t.GetNextSiblingItem(user);
    EXPECT_EQ(Children(t, user), (std::vector<std::string>{Cp932("報告"), Cp932("空")}));
    EXPECT_EQ(Children(t, links), (std::vector<std::string>{Cp932("案件"), "plain"}));
    // A starting folder that does not exist leaves the root selected and OK off.
    EXPECT_EQ(t.GetSelectedItem(), root);
    EXPECT_FALSE(Enabled(dlg.GetDlgItem(1)));

    // Unread folders carry one empty placeholder; opening one reads it, and
    // one without subfolders loses its expander.
    HTREEITEM reports = Child(t, user, Cp932("報告"));
    ASSERT_EQ(reports->childCount(), 1);
    EXPECT_EQ(t.GetItemText(t.GetChildItem(reports)), "");
    HTREEITEM empty = Child(t, user, Cp932("空"));
    t.Expand(empty, true);
    EXPECT_EQ(empty->childCount(), 0);
    t.Expand(reports, true);
    EXPECT_EQ(Children(t, reports), (std::vector<std::string>{"2024", "Archive"}));
    HTREEITEM y2024 = t.GetChildItem(reports);
    t.Expand(y2024, true);
    EXPECT_EQ(Children(t, y2024), (std::vector<std::string>{"9", "10"}));

    ASSERT_TRUE(drv.PickTreeItem(Folder::kIdTree, links));
    EXPECT_FALSE(Enabled(dlg.GetDlgItem(1)));
    ASSERT_TRUE(drv.PickTreeItem(Folder::kIdTree, user));
    EXPECT_TRUE(Enabled(dlg.GetDlgItem(1)));
    ASSERT_TRUE(drv.PickTreeItem(Folder::kIdTree, t.GetChildItem(y2024)));
    EXPECT_TRUE(Enabled(dlg.GetDlgItem(1)));
    ASSERT_TRUE(drv.ClickButton(1));
  }), 1);
  EXPECT_EQ(dlg.GetFolderPath(), home.Cp("書類/報告/2024/9"));
}

TEST_F(XdwDialogs, FolderTreeSelectsTheStartingFolderWhereverItIsAndNeedsAUserFolder) {
  struct Case {
    std::string start;
    std::string selected;  // text of the selected item
    bool ok;
  };
  const std::vector<Case> cases = {
      {home.Cp("links/プロジェクト"), Cp932("案件"), true},
      {home.Cp("links/プロジェクト/sub"), "sub", true},
      {home.Cp("書類/報告/2024/10"), "10", true},
      {home.Cp("書類"), Cp932("ユーザーフォルダ"), true},
      {home.Cp("書類/報告/2024/10", false), "DocuWorks Desk", false},
      {home.Cp("書類/報告/ARCHIVE"), "DocuWorks Desk", false},
      {"/", "DocuWorks Desk", false},
      {"", "DocuWorks Desk", false},
  };
  for (const Case& c : cases) {
    Folder dlg;
    dlg.SetFolderPath(c.start);
    EXPECT_EQ(uitest::RunModal(dlg, [&](DialogDriver& drv) {
      EXPECT_EQ(drv.Text(Folder::kIdTree), c.selected) << c.start;
      EXPECT_EQ(Enabled(dlg.GetDlgItem(1)), c.ok) << c.start;
      drv.PressKey(Qt::Key_Escape);
    }), 2);
    EXPECT_EQ(dlg.GetFolderPath(), c.start);
  }
  // The way down to a deep folder is opened; the rest stays unread.
  Folder deep;
  deep.SetFolderPath(home.Cp("書類/報告/2024/10"));
  uitest::RunModal(deep, [&](DialogDriver& drv) {
    HTREEITEM selected = Tree(deep).GetSelectedItem();
    EXPECT_TRUE(selected->parent()->isExpanded());
    EXPECT_TRUE(selected->parent()->parent()->isExpanded());
    HTREEITEM empty = Child(Tree(deep), Tree(deep).GetChildItem(Tree(deep).GetRootItem()), Cp932("空"));
    EXPECT_EQ(Tree(deep).GetItemText(Tree(deep).GetChildItem(empty)), "");
    drv.PressKey(Qt::Key_Escape);
  });
  // Without a user folder only the root shows and nothing can be chosen.
  home.Documents("none");
  Folder none;
  EXPECT_EQ(uitest::RunModal(none, [&](DialogDriver& drv) {
    EXPECT_EQ(Tree(none).topLevelItemCount(), 1);
    EXPECT_EQ(Tree(none).GetRootItem()->childCount(), 0);
    EXPECT_FALSE(Enabled(none.GetDlgItem(1)));
    drv.PressKey(Qt::Key_Return);
    EXPECT_TRUE(none.isVisible());
    drv.PressKey(Qt::Key_Escape);
  }), 2);
}

TEST_F(XdwDialogs, EntryPointChecksItsArgumentsAndClosesWithOneWhenTheWriteFails) {
  EXPECT_EQ(QuorPrnXdwOutputDlgOpen("SYS", "", 1, 0), QUOR_PRN_ERR_ARGUMENT);
  EXPECT_EQ(QuorPrnXdwOutputDlgOpen(nullptr, "JOB", 1, 0), QUOR_PRN_ERR_ARGUMENT);
  EXPECT_EQ(QuorPrnXdwOutputDlgOpen("", "JOB", 1, 0), QUOR_PRN_ERR_ARGUMENT);
  EXPECT_EQ(QuorPrnXdwOutputDlgOpen("SYS", nullptr, 1, 0), QUOR_PRN_ERR_ARGUMENT);

  // The dialog the entry point makes, answered from inside its loop.
  auto answer = [](std::vector<int> vks) {
    WhenOpened<Out>(nullptr, [vks](Out&, DialogDriver& d) {
      for (int vk : vks) d.PressFunctionKey(vk);
    });
  };
  answer({kVkEscape});
  EXPECT_EQ(QuorPrnXdwOutputDlgOpen("SYS", "JOB", 1, 0), QUOR_PRN_CANCEL);
  EXPECT_FALSE(hive->HasKey(kKey));
  // F9 is off without the binder; the failed folder write leaves the stored
  // folder as it was and is not reported.
  Store("XdwFolderPath", "/srv/old");
  hive->InjectFault({registry::RegOp::SetText, "", "XdwFolderPath"});
  answer({kVkF9, kVkReturn});
  EXPECT_EQ(QuorPrnXdwOutputDlgOpen("SYS", "JOB", 1, 0), QUOR_PRN_SUCCESS);
  EXPECT_EQ(testsupport::StoredText(kKey, "XdwFolderPath"), "/srv/old");
}

TEST_F(XdwDialogs, GalleryPicturesInJapaneseAndEnglish) {
  Store("XdwPrintType", 2);
  Store("XdwColorType", 9);
  Store("XdwOutputType", 1);
  Store("XdwFolderPath", home.Cp("書類/報告"));
  for (const std::string lang : {"ja", "en"}) {
    testsupport::ScopedEnv env("LANG", lang == "en" ? "en_US.UTF-8" : "ja_JP.UTF-8");
    Out out;
    Prepare(out);
    uitest::RunModal(out, [&](DialogDriver& drv) {
      EXPECT_NE(drv.SavePng(lang), "");
      WhenOpened<ColourDlg>(&out, [lang](ColourDlg& c, DialogDriver& d) {
        EXPECT_NE(d.SavePng(lang), "");
        c.EndDialog(2);
      });
      drv.PressFunctionKey(kVkF9);
      WhenOpened<Folder>(&out, [lang](Folder& f, DialogDriver& d) {
        EXPECT_NE(d.SavePng(lang), "");
        f.EndDialog(2);
      });
      drv.PressFunctionKey(kVkF3);
      drv.PressFunctionKey(kVkEscape);
    });
    if (lang == "en") {
      EXPECT_EQ(out.GetWindowText(), "DocuWorks Output");
      EXPECT_EQ(out.GetDlgItemText(Out::kIdBrowseButton), "Browse");
      EXPECT_EQ(out.FuncBar()->Label(kVkF9), "Colour");
    } else {
      EXPECT_EQ(out.GetDlgItemText(Out::kIdBrowseButton), Cp932("参照"));
    }
  }
}

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
