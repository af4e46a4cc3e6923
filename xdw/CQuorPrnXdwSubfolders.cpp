// Names are sorted in UTF-8, before conversion, because code page 932 byte
// order is not the order a user sees elsewhere on the desktop.
#include "xdw/CQuorPrnXdwSubfolders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/mbcs/Cp932Converter.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

int CQuorPrnXdwSubfolders::CompareNames(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      size_t ie = i, je = j;
      while (ie < a.size() && IsDigit(a[ie])) ++ie;
      while (je < b.size() && IsDigit(b[je])) ++je;
      std::string_view da = a.substr(i, ie - i), db = b.substr(j, je - j);
      while (da.size() > 1 && da.front() == '0') da.remove_prefix(1);
      while (db.size() > 1 && db.front() == '0') db.remove_prefix(1);
      if (da.size() != db.size()) return da.size() < db.size() ? -1 : 1;
      if (const int c = da.compare(db); c != 0) return c < 0 ? -1 : 1;
      i = ie;
      j = je;
      continue;
    }
    const unsigned char ca = static_cast<unsigned char>(Fold(a[i]));
    const unsigned char cb = static_cast<unsigned char>(Fold(b[j]));
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  const int c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::vector<std::string> CQuorPrnXdwSubfolders::List(const std::string& folder) {
  std::vector<std::string> names;
  if (folder.empty() || folder.front() != '/') return names;
  std::string native, error;
  if (!mbcs::Cp932Converter::ToUtf8(folder, &native, &error)) return names;

  std::vector<std::string> utf8;
  std::error_code ec;
  std::filesystem::directory_iterator it(std::filesystem::path(native), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    utf8.push_back(it->path().filename().string());
  }
  std::sort(utf8.begin(), utf8.end(),
            [](const std::string& x, const std::string& y) { return CompareNames(x, y) < 0; });
  for (const std::string& name : utf8) {
    std::string cp;
    if (mbcs::Cp932Converter::FromUtf8(name, &cp, &error)) names.push_back(cp);
  }
  return names;
}
