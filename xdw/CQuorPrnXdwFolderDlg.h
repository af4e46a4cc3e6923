// The folder dialog of the DocuWorks output dialog: a tree of the DocuWorks
// Desk folders (the user folder and the link folders) whose subfolders are
// read from the file system as the user opens them, OK for the selected
// folder, Cancel to keep the starting folder. Folder paths are code page 932;
// the ones this dialog forms end with '/'. Holds the paths of the items it
// made for as long as it lives; reads nothing before DoModal.
#pragma once

#include <QLabel>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/CMeraBWLocalizeDialog.h"
#include "platform/ui/CYbImageList.h"
#include "platform/ui/CYbTreeCtrl.h"

class CQuorPrnXdwFolderDlg : public CMeraBWLocalizeDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 31802;
  static constexpr int kIdIcon = 31774;
  static constexpr int kIdMessage = 31701;
  static constexpr int kIdTree = 31775;

  explicit CQuorPrnXdwFolderDlg(QWidget* parent = nullptr);

  // In: the starting folder, set before DoModal. Out: after DoModal gave 1,
  // the chosen folder; after a cancel, the starting folder.
  void SetFolderPath(const std::string& path) { m_folderPath = path; }
  const std::string& GetFolderPath() const { return m_folderPath; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  // Below `item`, the item whose folder path equals `wanted`, opening every
  // folder on the way down; null when there is none.
  HTREEITEM _searchFolder(HTREEITEM item, const std::string& wanted);
  // Appends `item`'s subfolders, each with a placeholder child so that it
  // shows an expander until it is opened.
  void _fillItem(HTREEITEM item);
  void _onItemExpanding(HTREEITEM item);
  void _enableOk();
  // The folder path of an item, empty for an item that is not a folder.
  std::string _folderOf(HTREEITEM item) const;
  intptr_t _appendFolder(const std::string& path);

  QLabel m_icon;
  CYbTreeCtrl m_tree;
  CYbImageList m_treeIcons;
  std::string m_folderPath;
  std::vector<std::string> m_folders;
};
