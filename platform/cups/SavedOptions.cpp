#include "platform/cups/SavedOptions.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace spooler {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The words of each line: the keyword, the name and where the options start.
struct Line {
  std::string keyword;
  std::string name;
  size_t options = 0;
};

Line Split(const std::string& line) {
  Line out;
  size_t i = 0;
  while (i < line.size() && IsSpace(line[i])) ++i;
  const size_t word = i;
  while (i < line.size() && !IsSpace(line[i])) ++i;
  out.keyword = line.substr(word, i - word);
  while (i < line.size() && IsSpace(line[i])) ++i;
  const size_t name = i;
  while (i < line.size() && !IsSpace(line[i])) ++i;
  out.name = line.substr(name, i - name);
  out.options = i;
  return out;
}

template <class Each>
void ForEachLine(const std::string& text, Each each) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const Line words = Split(line);
    // "Dest name[/instance] options", or "Default ..." for the user's default
    // printer, whose options count all the same.
    if (strcasecmp(words.keyword.c_str(), "Dest") == 0 || strcasecmp(words.keyword.c_str(), "Default") == 0) {
      each(line, words);
    }
  }
}

int ApplyText(const std::string& text, const std::string& printer, int count, cups_option_t** options) {
  ForEachLine(text, [&](const std::string& line, const Line& words) {
    // Printer names are compared without regard to case, as the server does.
    if (words.name.find('/') != std::string::npos || strcasecmp(words.name.c_str(), printer.c_str()) != 0) return;
    cups_option_t* saved = nullptr;
    const int parsed = cupsParseOptions(line.c_str() + words.options, 0, &saved);
    for (int k = 0; k < parsed; ++k) count = cupsAddOption(saved[k].name, saved[k].value, count, options);
    cupsFreeOptions(parsed, saved);
  });
  return count;
}

std::string SystemFile() {
  const char* root = std::getenv("CUPS_SERVERROOT");
  return std::string(root && *root ? root : "/etc/cups") + "/lpoptions";
}

std::string UserFile() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/.cups/lpoptions" : std::string();
}

}  // namespace

SavedOptions::SavedOptions() {
  texts_.push_back(ReadFile(SystemFile()));
  if (std::string user = UserFile(); !user.empty()) texts_.push_back(ReadFile(user));
}

std::string SavedOptions::UserDefault() {
  if (const char* dest = std::getenv("LPDEST"); dest && *dest) return dest;
  if (const char* printer = std::getenv("PRINTER"); printer && *printer && std::strcmp(printer, "lp") != 0) {
    return printer;
  }
  // The user's file overrides the system's.
  for (const std::string& path : {UserFile(), SystemFile()}) {
    if (path.empty()) continue;
    std::string chosen;
    ForEachLine(ReadFile(path), [&](const std::string&, const Line& words) {
      if (strcasecmp(words.keyword.c_str(), "Default") == 0) chosen = words.name;
    });
    if (!chosen.empty()) return chosen;
  }
  return {};
}

int SavedOptions::Apply(const std::string& printer, int count, cups_option_t** options) const {
  for (const std::string& text : texts_) count = ApplyText(text, printer, count, options);
  return count;
}

}  // namespace spooler
