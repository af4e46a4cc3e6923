// The localisation objects and the process's catalogue cache. The catalogue
// of the current language is read once and kept until the language or the
// catalogue folder changes; lookups never fail and never throw: anything
// missing or unreadable falls back to the caller's default text.
#include "platform/localize/MeraLocalize.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/mbcs/Cp932Converter.h"

#ifndef QUORPRN_DATADIR
#define QUORPRN_DATADIR "/usr/share/quorprn"
#endif

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// "en_US.UTF-8" -> "en". Empty for the locales that show the default
// (Japanese) text.
std::string LanguageFromEnvironment() {
  const char* value = nullptr;
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) {
      value = v;
      break;
    }
  }
  if (!value) return "";
  std::string lang;
  for (const char* p = value; *p && *p != '_' && *p != '.' && *p != '@'; ++p)
    lang += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
  if (lang == "c" || lang == "posix" || lang == "ja") return "";
  // A language name never holds anything else; refuse it rather than build a
  // path from it.
  for (char c : lang)
    if (!std::islower(static_cast<unsigned char>(c))) return "";
  return lang;
}

std::string CatalogueFolder() {
  const char* dir = std::getenv("QUORPRN_LOCALE_DIR");
  if (dir && *dir) return dir;
  return QUORPRN_DATADIR "/locale";
}

// Undoes the escapes a catalogue may use for texts that span lines.
std::string Unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char n = s[i + 1];
      if (n == 'n' || n == 't' || n == '\\') {
        out += n == 'n' ? '\n' : n == 't' ? '\t' : '\\';
        ++i;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

class Catalogue {
 public:
  // The translation of `key` in code page 932, or null.
  bool Lookup(const std::string& key, std::string* text) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string lang = LanguageFromEnvironment();
    std::string dir = CatalogueFolder();
    if (!loaded_ || lang != lang_ || dir != dir_) Load(lang, dir);
    auto it = texts_.find(key);
    if (it == texts_.end()) return false;
    *text = it->second;
    return true;
  }

 private:
  void Load(const std::string& lang, const std::string& dir) {
    lang_ = lang;
    dir_ = dir;
    loaded_ = true;
    texts_.clear();
    if (lang.empty()) return;
    std::string path = dir + "/" + lang + ".txt";
    std::ifstream in(path, std::ios::binary);
    if (!in) return;  // no catalogue for this language: the default texts
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
      std::string t = Trim(line);
      if (t.empty() || t[0] == '#') continue;
      size_t eq = t.find('=');
      std::string key = eq == std::string::npos ? "" : Trim(t.substr(0, eq));
      if (key.empty()) {
        Report(path, number, "not a \"KEY = text\" line");
        continue;
      }
      std::string value = Unescape(Trim(t.substr(eq + 1)));
      if (value.empty()) continue;  // an empty translation shows the default
      std::string cp932, error;
      if (!mbcs::Cp932Converter::FromUtf8(value, &cp932, &error)) {
        Report(path, number, error);
        continue;
      }
      texts_[key] = cp932;
    }
  }

  static void Report(const std::string& path, int line, const std::string& cause) {
    std::fprintf(stderr, "quorprn: localize: %s:%d: %s; entry skipped\n", path.c_str(), line, cause.c_str());
  }

  std::mutex mutex_;
  bool loaded_ = false;
  std::string lang_;
  std::string dir_;
  std::unordered_map<std::string, std::string> texts_;
};

Catalogue& TheCatalogue() {
  static Catalogue* catalogue = new Catalogue();
  return *catalogue;
}

class Localizer : public CMeraLocalize {
 public:
  void Release() override { delete this; }
  std::string LocalizeMessage(const std::string& key, const std::string& defaultText) override {
    return Lookup(key, defaultText);
  }
  std::string LocalizeControlText(const std::string& key, const std::string& defaultText) override {
    return Lookup(key, defaultText);
  }

 private:
  static std::string Lookup(const std::string& key, const std::string& defaultText) {
    std::string text;
    return TheCatalogue().Lookup(key, &text) ? text : defaultText;
  }
};

}  // namespace

int MeraLocalizeCreateInstance(int classId, CMeraBaseClass** out) {
  if (!out) return 0;
  *out = nullptr;
  if (classId != 1) return 0;
  *out = new Localizer();
  return 1;
}
