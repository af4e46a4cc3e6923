// The subfolders of one folder, as the DocuWorks folder dialog shows them:
// directories only (a link to a directory counts), "." and ".." never, in the
// order a file chooser shows them. Paths and names are code page 932; a
// subfolder whose name code page 932 cannot hold is left out, since the tree
// could show it only with a broken path. Reads the file system on every call
// and keeps nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CQuorPrnXdwSubfolders {
 public:
  // Empty when `folder` is not an absolute path of this machine or cannot be
  // listed.
  static std::vector<std::string> List(const std::string& folder);

  // A file chooser's order of two names (UTF-8): letters without regard to
  // case, runs of digits by their value, ties by the bytes. <0, 0 or >0.
  static int CompareNames(std::string_view a, std::string_view b);
};
