// The folders that the user's desktop defines, as Qt reads them from the XDG
// settings (user-dirs.dirs, XDG_CONFIG_HOME, HOME). Paths come back in the
// file system's own bytes, without a trailing separator. Reads the settings
// anew on every call, creates nothing and needs no QApplication.
#pragma once

#include <string>

class UiStandardPaths {
 public:
  // The user's documents folder (XDG_DOCUMENTS_DIR, else ~/Documents),
  // whether or not it exists; empty when the desktop names none.
  static std::string Documents();
  // The user's configuration folder (XDG_CONFIG_HOME, else ~/.config).
  static std::string Config();
};
