// The desktop's settings are found through the dialog framework's standard
// paths (Qt reads them; no Qt header here). The bookmark lines are kept raw so
// that a bad line costs only its own link folder, as a link folder whose
// information cannot be read does.
#include "platform/meraprn/CMeraPrnXdwWarapper.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/UiStandardPaths.h"

namespace {

bool IsDirectory(const std::string& nativePath) {
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(nativePath), ec);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// The local path of a file:// URL, percent-decoded; false for another scheme,
// another host, a query or fragment, or a broken escape.
bool LocalPathOfUrl(const std::string& url, std::string& path) {
  const std::string scheme = "file://";
  if (!StartsWithNoCase(url, scheme)) return false;
  const size_t slash = url.find('/', scheme.size());
  if (slash == std::string::npos) return false;
  const std::string host = url.substr(scheme.size(), slash - scheme.size());
  if (!host.empty() && !(host.size() == 9 && StartsWithNoCase(host, "localhost"))) return false;
  std::string decoded;
  for (size_t i = slash; i < url.size(); ++i) {
    const char c = url[i];
    if (c == '?' || c == '#') return false;
    if (c != '%') {
      decoded += c;
      continue;
    }
    if (i + 2 >= url.size()) return false;
    const int hi = HexValue(url[i + 1]), lo = HexValue(url[i + 2]);
    if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) return false;
    decoded += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  path = decoded;
  return true;
}

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string OwnName(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const size_t slash = trimmed.rfind('/');
  const std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  return name.empty() ? trimmed : name;
}

bool ToCp932(const std::string& utf8, std::string& out) {
  std::string error;
  return mbcs::Cp932Converter::FromUtf8(utf8, &out, &error);
}

}  // namespace

CMeraPrnXdwWarapper::CMeraPrnXdwWarapper() {
  const std::string config = UiStandardPaths::Config();
  if (config.empty()) return;
  std::ifstream in(config + "/gtk-3.0/bookmarks", std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) bookmarks_.push_back(line);
  }
}

CMeraPrnXdwWarapper::~CMeraPrnXdwWarapper() = default;

std::string CMeraPrnXdwWarapper::GetApplicationInfo(int32_t kind) const {
  if (kind != MeraPrnXdwAppInfoUserFolder) return {};
  const std::string documents = UiStandardPaths::Documents();
  if (documents.empty() || !IsDirectory(documents)) return {};
  std::string path;
  if (!ToCp932(WithTrailingSlash(documents), path)) return {};
  return path;
}

int32_t CMeraPrnXdwWarapper::GetLinkFolderCount() const { return static_cast<int32_t>(bookmarks_.size()); }

int32_t CMeraPrnXdwWarapper::GetLinkFolderInfo(int32_t index, std::string& name, std::string& path) const {
  if (index < 0 || index >= GetLinkFolderCount()) return 0;
  const std::string& line = bookmarks_[static_cast<size_t>(index)];
  const size_t space = line.find(' ');
  const std::string url = line.substr(0, space);
  const std::string label = space == std::string::npos ? std::string() : line.substr(space + 1);
  std::string local;
  if (!LocalPathOfUrl(url, local) || local.empty() || local.front() != '/' || !IsDirectory(local)) return 0;
  std::string cpPath, cpName;
  if (!ToCp932(WithTrailingSlash(local), cpPath)) return 0;
  if (!ToCp932(label.empty() ? OwnName(local) : label, cpName)) return 0;
  name = cpName;
  path = cpPath;
  return 1;
}
