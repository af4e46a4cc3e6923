// The redirect manager with arbitrary port patterns, remove patterns, printer
// names and ports. The input is a list of lines, each starting with a tag:
//   P<pattern>   a port pattern          R<pattern>   a remove pattern
//   N<name>\t<port>   an installed printer (the first one is round-tripped)
//   L<byte>      long names: one printer whose name is repeated to 200 to 455
//                bytes, and at most two patterns per list from a fixed list
// Patterns and short names are cut so that the regex engine's backtracking
// stays small per case; long names only meet patterns that backtrack
// linearly. Texts near the manager's length bound (about a thousand bytes)
// take the engine tens of milliseconds each: the unit tests cover that bound,
// and here long names stay short enough for thousands of cases a second.
// A short pattern can still backtrack without end; the manager gives up on it
// after its step allowance, lowered here so that such cases stay cheap. Some
// linear patterns over the longest names give up too: the properties below
// hold either way, since giving up is the same for the same text.
//
// What must hold: every conversion returns; a port that no compilable pattern
// matches leaves the name unchanged; a redirect name leads back to a listed
// printer whose redirect name equals it apart from letter case.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mbcs/Mbcs.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/SpoolerBackend.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "redirect/MatchAllowance.h"

namespace {

constexpr size_t kMaxPatterns = 4;
constexpr size_t kMaxPatternBytes = 12;
constexpr size_t kMaxShortName = 10;
// Every stored name is compared with every listed printer's conversion.
constexpr size_t kMaxPrinters = 6;
constexpr size_t kMaxLongPrinters = 1;
constexpr size_t kMaxLongPatterns = 2;
constexpr size_t kFuzzAllowance = 100'000;

const char* const kLinearPatterns[] = {
    "(.)*",   "(a|b)*", "[^!]*$",  "(?:\\d|[A-Z])+", "\\(.*\\)$", "_[0-9]+", "(.*)",
    "^.*$",   "a+",     "( |x)*y", "[\\x81-\\x9f].", "(",        "[",       "\\",
};

class ListBackend : public spooler::SpoolerBackend {
 public:
  std::vector<spooler::PrinterEntry> printers;
  bool Enumerate(std::vector<spooler::PrinterEntry>* out, std::string*) override {
    *out = printers;
    return true;
  }
  bool Open(const std::string&, std::string*) override { return false; }
  bool GetPrinter(const std::string&, spooler::PrinterEntry*, std::string*) override { return false; }
  bool Capabilities(const std::string&, uint16_t, std::vector<uint16_t>*, std::vector<std::string>*,
                    std::string*) override {
    return false;
  }
  bool DefaultPrinter(std::string*, std::string*) override { return false; }
  std::string Describe() const override { return "fuzz list"; }
};

bool Compiles(const std::string& pattern) {
  try {
    std::regex re(pattern, std::regex::ECMAScript);
    return true;
  } catch (const std::regex_error&) {
    return false;
  }
}

std::string NoNul(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\0') c = '\x01';
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool allowanceSet = (redirect::SetMatchAllowance(kFuzzAllowance), true);
  (void)allowanceSet;
  std::string_view in(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> ports, removes;
  auto backend = std::make_shared<ListBackend>();
  bool longNames = false;
  size_t longLength = 0;

  std::vector<std::string_view> lines;
  for (size_t start = 0; start <= in.size();) {
    size_t lf = in.find('\n', start);
    if (lf == std::string_view::npos) lf = in.size();
    lines.push_back(in.substr(start, lf - start));
    start = lf + 1;
  }
  for (std::string_view line : lines) {
    if (!line.empty() && line[0] == 'L') {
      longNames = true;
      longLength = 200 + (line.size() > 1 ? static_cast<unsigned char>(line[1]) : 0);
    }
  }
  for (std::string_view line : lines) {
    if (line.empty()) continue;
    char tag = line[0];
    std::string_view body = line.substr(1);
    if (tag == 'P' || tag == 'R') {
      std::vector<std::string>& list = tag == 'P' ? ports : removes;
      if (list.size() >= (longNames ? kMaxLongPatterns : kMaxPatterns)) continue;
      if (longNames) {
        size_t pick = body.empty() ? 0 : static_cast<unsigned char>(body[0]);
        list.push_back(kLinearPatterns[pick % std::size(kLinearPatterns)]);
      } else {
        list.push_back(NoNul(body.substr(0, kMaxPatternBytes)));
      }
    } else if (tag == 'N') {
      if (backend->printers.size() >= (longNames ? kMaxLongPrinters : kMaxPrinters)) continue;
      size_t tab = body.find('\t');
      std::string name = NoNul(body.substr(0, tab));
      std::string port = tab == std::string_view::npos ? "" : NoNul(body.substr(tab + 1));
      if (longNames) {
        std::string base = name.empty() ? "x" : name;
        name.clear();
        while (name.size() < longLength) name += base;
        name.resize(longLength);
      } else if (name.size() > kMaxShortName) {
        name.resize(kMaxShortName);
      }
      if (port.size() > kMaxShortName) port.resize(kMaxShortName);
      spooler::PrinterEntry e;
      e.name = name;
      e.port = port;
      backend->printers.push_back(e);
    }
  }

  CQuorPrnPrinterRedirectManager::m_cRedirectPrinterMap.clear();
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(ports);
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(removes);
  spooler::Spooler::UseBackend(backend);
  CQuorPrnPrinterInfoManager::RefreshPrinters();

  bool anyPortCompiles = false;
  for (const std::string& p : ports) anyPortCompiles = anyPortCompiles || Compiles(p);

  for (const spooler::PrinterEntry& e : backend->printers) {
    std::string redirect = CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(e.name.c_str(), e.port.c_str());
    if (!anyPortCompiles && redirect != e.name) std::abort();
    CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(e.name.c_str());
    std::string real = CQuorPrnPrinterRedirectManager::GetRealPrinterName(redirect.c_str());
    if (real == redirect) continue;
    // Whatever printer the stored name leads to must convert to it.
    bool found = false;
    for (const spooler::PrinterEntry& other : backend->printers) {
      if (other.name != real) continue;
      std::string again = CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(other.name.c_str(),
                                                                                 other.port.c_str());
      if (mbcs::CompareNoCase(again, redirect) == 0) found = true;
    }
    if (!found) std::abort();
  }
  if (!backend->printers.empty()) {
    const spooler::PrinterEntry& first = backend->printers.front();
    std::string redirect =
        CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(first.name.c_str(), first.port.c_str());
    if (redirect != first.name) {
      // A redirect name always leads back to some listed printer.
      std::string real = CQuorPrnPrinterRedirectManager::GetRealPrinterName(redirect.c_str());
      bool listed = false;
      for (const spooler::PrinterEntry& e : backend->printers) listed = listed || e.name == real;
      if (!listed) std::abort();
    }
  }
  CQuorPrnPrinterRedirectManager::GetRealPrinterName(in.size() > 2000 ? "x!Redirected" : NoNul(in).c_str());

  spooler::Spooler::Reset();
  return 0;
}
