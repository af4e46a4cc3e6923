// Item data is an index into m_folders, or -1 for the items that are no
// folder (the root, the link item, and the placeholders that stand for the
// unread children of a folder), so that none of them can be chosen.
#include "xdw/CQuorPrnXdwFolderDlg.h"

#include <QPushButton>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/meraprn/CMeraPrnXdwWarapper.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiLocalize.h"
#include "platform/ui/UiPictures.h"
#include "platform/ui/UiWaitCursor.h"
#include "xdw/CQuorPrnXdwSubfolders.h"

namespace {

using mbcs::Cp932;

constexpr intptr_t kNoFolder = -1;
enum TreeImage : int { kImageRoot = 0, kImageUser = 1, kImageFolder = 2 };

const DialogTemplates::Registrar kTemplate([] {
  DialogTemplate t;
  t.id = CQuorPrnXdwFolderDlg::kTemplateId;
  t.caption = Cp932("フォルダ選択");
  t.cx = 259;
  t.cy = 278;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {CQuorPrnXdwFolderDlg::kIdIcon, DlgKind::Icon, "", 15, 9, 20, 20, 0},
      {CQuorPrnXdwFolderDlg::kIdMessage, DlgKind::Static, Cp932("出力先のフォルダを選択してください。"), 43, 17, 154,
       10, 0},
      {CQuorPrnXdwFolderDlg::kIdTree, DlgKind::Tree, "", 8, 37, 242, 217, kDlgGroup},
      {1, DlgKind::PushButton, "OK", 147, 259, 50, 14, kDlgGroup | kDlgDefault},
      {2, DlgKind::PushButton, Cp932("ｷｬﾝｾﾙ"), 200, 259, 50, 14, 0},
  };
  return t;
}());

}  // namespace

CQuorPrnXdwFolderDlg::CQuorPrnXdwFolderDlg(QWidget* parent) : CMeraBWLocalizeDialog(kTemplateId, parent) {
  BindControl(kIdIcon, &m_icon);
  BindControl(kIdTree, &m_tree);
  connect(&m_tree, &CYbTreeCtrl::itemExpanding, this, [this](QTreeWidgetItem* item) { _onItemExpanding(item); });
  connect(&m_tree, &CYbTreeCtrl::userSelChanged, this, [this](QTreeWidgetItem*) { _enableOk(); });
}

bool CQuorPrnXdwFolderDlg::OnInitDialog() {
  CMeraBWLocalizeDialog::OnInitDialog();
  m_icon.setPixmap(UiPictures::Pixmap(UiPictures::kSystemInformation, UiPictures::IconSize()));

  const int small = UiPictures::SmallIconSize();
  m_treeIcons.Create(small, small);
  m_treeIcons.AddPicture(UiPictures::kFolderRoot);
  m_treeIcons.AddPicture(UiPictures::kFolderUser);
  m_treeIcons.AddPicture(UiPictures::kFolder);
  m_tree.SetImageList(&m_treeIcons);

  const CMeraPrnXdwWarapper desk;
  const std::string userFolder = desk.GetApplicationInfo(MeraPrnXdwAppInfoUserFolder);
  HTREEITEM root = m_tree.InsertItem(UiLocalize::ControlText("XDWLINKNAME_ROOT", "DocuWorks Desk"), kImageRoot,
                                     kImageRoot, kNoFolder, nullptr);
  HTREEITEM userItem = nullptr;
  HTREEITEM linkItem = nullptr;
  if (!userFolder.empty()) {
    userItem = m_tree.InsertItem(UiLocalize::ControlText("XDWLINKNAME_USER", Cp932("ユーザーフォルダ")), kImageUser,
                                 kImageUser, _appendFolder(userFolder), root);
    _fillItem(userItem);
    m_tree.Expand(userItem, true);
    linkItem = m_tree.InsertItem(UiLocalize::ControlText("XDWLINKNAME_LINK", Cp932("リンクフォルダ")), kImageFolder,
                                 kImageFolder, kNoFolder, root);
    for (int32_t i = 0; i < desk.GetLinkFolderCount(); ++i) {
      std::string name, path;
      if (!desk.GetLinkFolderInfo(i, name, path)) continue;
      HTREEITEM link = m_tree.InsertItem(name, kImageFolder, kImageFolder, _appendFolder(path), linkItem);
      _fillItem(link);
    }
    m_tree.Expand(linkItem, true);
  }
  m_tree.Expand(root, true);

  HTREEITEM initial = nullptr;
  if (userItem) initial = _searchFolder(userItem, m_folderPath);
  if (initial == nullptr && linkItem) initial = _searchFolder(linkItem, m_folderPath);
  // The search looks only below the user item; the user folder itself is a
  // choice too, and reopening the dialog on it must not lose it.
  if (initial == nullptr && userItem && m_folderPath == userFolder) initial = userItem;
  if (initial == nullptr) initial = root;
  m_tree.SelectItem(initial);
  _enableOk();

  SetLocalizeDialogID("IDD_QUORPRN_XDWFOLDERDLG");
  LocalizeDialog();
  LocalizeControl(kIdMessage, "IDC_STATIC_001");
  LocalizeControl(kIdTree, "IDC_TREE_XDW_FOLDER");
  LocalizeControl(1, "IDOK");
  LocalizeControl(2, "IDCANCEL");
  m_tree.setFocus();
  return true;
}

intptr_t CQuorPrnXdwFolderDlg::_appendFolder(const std::string& path) {
  m_folders.push_back(path);
  return static_cast<intptr_t>(m_folders.size() - 1);
}

std::string CQuorPrnXdwFolderDlg::_folderOf(HTREEITEM item) const {
  if (item == nullptr) return {};
  const intptr_t data = m_tree.GetItemData(item);
  if (data < 0 || static_cast<size_t>(data) >= m_folders.size()) return {};
  return m_folders[static_cast<size_t>(data)];
}

// Children with the same path as a sibling's beginning are told apart only by
// the wanted path going on below them, so a found child is remembered and the
// walk goes on: a deeper match below a later sibling wins.
HTREEITEM CQuorPrnXdwFolderDlg::_searchFolder(HTREEITEM item, const std::string& wanted) {
  HTREEITEM found = nullptr;
  for (HTREEITEM child = m_tree.GetChildItem(item); child; child = m_tree.GetNextSiblingItem(child)) {
    if (m_tree.GetItemText(child).empty() || m_tree.GetItemData(child) == kNoFolder) continue;
    const std::string path = _folderOf(child);
    if (path.empty() || wanted.compare(0, path.size(), path) != 0) continue;
    if (wanted.size() == path.size()) {
      found = child;
      continue;
    }
    m_tree.Expand(child, true);
    if (HTREEITEM below = _searchFolder(child, wanted)) return below;
    found = nullptr;
  }
  return found;
}

void CQuorPrnXdwFolderDlg::_fillItem(HTREEITEM item) {
  std::string path = _folderOf(item);
  if (path.empty()) return;
  const UiWaitCursor busy;
  if (path.back() != '/') path += '/';
  const int image = m_tree.GetItemImage(item);
  const int selected = m_tree.GetItemSelectedImage(item);
  for (const std::string& name : CQuorPrnXdwSubfolders::List(path)) {
    HTREEITEM child = m_tree.InsertItem(name, image, selected, _appendFolder(path + name + "/"), item);
    m_tree.InsertItem("", image, selected, kNoFolder, child);
  }
}

void CQuorPrnXdwFolderDlg::_onItemExpanding(HTREEITEM item) {
  if (item == nullptr || item == m_tree.GetRootItem()) return;
  HTREEITEM first = m_tree.GetChildItem(item);
  if (first == nullptr || !m_tree.GetItemText(first).empty()) return;
  m_tree.DeleteItem(first);
  _fillItem(item);
}

void CQuorPrnXdwFolderDlg::_enableOk() {
  HTREEITEM selected = m_tree.GetSelectedItem();
  EnableDlgItem(1, selected != nullptr && m_tree.GetItemData(selected) != kNoFolder);
}

// OK is disabled on items that are no folder; the check stays for a caller
// that ends the dialog through OnOK directly.
void CQuorPrnXdwFolderDlg::OnOK() {
  HTREEITEM selected = m_tree.GetSelectedItem();
  const intptr_t data = selected ? m_tree.GetItemData(selected) : kNoFolder;
  if (data < 0 || static_cast<size_t>(data) >= m_folders.size()) return;
  m_folderPath = m_folders[static_cast<size_t>(data)];
  EndDialog(1);
}
