// What DocuWorks Desk knows about the user's folders, on a Linux desktop: the
// user folder is the desktop's documents folder, the link folders are the
// folders bookmarked in the file chooser (the GTK bookmarks file, lines of a
// file:// URL and an optional label). Folder paths are code page 932 and end
// with '/'. The bookmarks file is read once, when the object is made; folders
// are checked on the file system when asked for. Shows nothing, throws
// nothing for a missing or unreadable file, and is not part of the exported
// surface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum MeraPrnXdwAppInfoType : int32_t {
  // The DocuWorks Desk user folder.
  MeraPrnXdwAppInfoUserFolder = 2,
};

class CMeraPrnXdwWarapper {
 public:
  CMeraPrnXdwWarapper();
  virtual ~CMeraPrnXdwWarapper();

  // The user folder for MeraPrnXdwAppInfoUserFolder: the documents folder
  // with a trailing '/', empty when it does not exist or code page 932 cannot
  // hold its path. Every other kind gives an empty string.
  std::string GetApplicationInfo(int32_t kind) const;

  // The number of bookmarks; some of them may fail GetLinkFolderInfo.
  int32_t GetLinkFolderCount() const;
  // Non-zero and `name`, `path` filled for a bookmark that is a local
  // directory whose URL decodes and whose path and label fit code page 932:
  // the name is the label, else the folder's own name. 0 otherwise (remote,
  // malformed, missing, not a directory, index out of range), with `name`
  // and `path` untouched.
  int32_t GetLinkFolderInfo(int32_t index, std::string& name, std::string& path) const;

 private:
  std::vector<std::string> bookmarks_;  // the file's non-empty lines, UTF-8
};
