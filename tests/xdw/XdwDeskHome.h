// A home folder of its own for tests of the DocuWorks Desk folders: made
// under the temporary folder, named in HOME (with the XDG variables that
// could point elsewhere unset) for the test's life, and removed with
// everything in it afterwards. The user's own home is never read.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/mbcs/Cp932Converter.h"
#include "tests/support/Sandbox.h"

namespace xdwtest {

class DeskHome {
 public:
  DeskHome() = default;
  ~DeskHome() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  DeskHome(const DeskHome&) = delete;
  DeskHome& operator=(const DeskHome&) = delete;

  // The native (UTF-8) path of `relative` below the home folder.
  std::string Native(const std::string& relative = "") const {
    return relative.empty() ? root_.string() : (root_ / relative).string();
  }
  // The same path as the library holds it: code page 932, with a trailing '/'
  // for a folder.
  std::string Cp(const std::string& relative, bool folder = true) const {
    return mbcs::Cp932Converter::FromUtf8Lossy(Native(relative)) + (folder ? "/" : "");
  }
  void Dir(const std::string& relative) const { std::filesystem::create_directories(root_ / relative); }
  void File(const std::string& relative) const {
    std::filesystem::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << "x";
  }
  // The desktop's documents folder, through the XDG user-dirs setting.
  void Documents(const std::string& relative) const {
    Dir(".config");
    std::ofstream(root_ / ".config/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/" << relative << "\"\n";
  }
  void Bookmarks(const std::vector<std::string>& lines) const {
    Dir(".config/gtk-3.0");
    std::ofstream out(root_ / ".config/gtk-3.0/bookmarks");
    for (const auto& l : lines) out << l << "\n";
  }
  // A file:// URL of a folder below the home folder, every byte outside the
  // unreserved set escaped as a file chooser writes it.
  std::string Url(const std::string& relative) const {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : Native(relative)) {
      if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
        url += static_cast<char>(c);
      } else {
        url += '%';
        url += hex[c >> 4];
        url += hex[c & 15];
      }
    }
    return url;
  }

 private:
  static std::filesystem::path MakeRoot() {
    static int serial = 0;
    auto root = std::filesystem::temp_directory_path() /
                ("quorprn-desk-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    return root;
  }

  std::filesystem::path root_ = MakeRoot();
  testsupport::ScopedEnv home_{"HOME", root_.string()}, config_{"XDG_CONFIG_HOME", std::nullopt},
      documents_{"XDG_DOCUMENTS_DIR", std::nullopt};
};

}  // namespace xdwtest
