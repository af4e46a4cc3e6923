// The redirect lists, the process-wide name map and the pattern matching over
// code page 932 bytes. Owns nothing but the three static members; asks the
// printer list for ports. Must never throw to the caller: a pattern that does
// not compile, or that the regex engine gives up on, simply does not match.
#include "quorprn/CQuorPrnPrinterRedirectManager.h"

#include <atomic>
#include <cstdio>
#include <iterator>
#include <memory>
#include <mutex>
#include <regex>
#include <set>
#include <unordered_map>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/mbcs/Mbcs.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "redirect/MatchAllowance.h"
#include "redirect/StepCountingIterator.h"

std::vector<std::string> CQuorPrnPrinterRedirectManager::m_cRedirectPortNameArray;
std::vector<std::string> CQuorPrnPrinterRedirectManager::m_cRemovePatternArray;
std::unordered_map<std::string, std::string> CQuorPrnPrinterRedirectManager::m_cRedirectPrinterMap;

namespace {

constexpr const char* kRedirectSuffix = "!Redirected";

// libstdc++ matches by recursion, one level per character or so: a long text
// under a pattern such as "(a|b)*" exhausts a 1 MiB thread stack near 2000
// bytes. Printer names and ports are far shorter than this bound; a longer
// text is left alone rather than risking the host's process.
constexpr size_t kMaxMatchedText = 1024;

// What one match or replacement may cost (see StepCountingIterator). The
// costliest patterns a name calls for, "(.)+z" or "(a|b)*c" scanning the
// rest of the text from every position, take about five million steps on
// the longest text; a pattern that backtracks without end spends this within
// some tens of milliseconds and does not match that text.
std::atomic<size_t> g_allowance{10'000'000};
constexpr const char* kGaveUp = "too much backtracking; it does not match such names";

// Says once per pattern and cause why it never matches: a host that sets a
// broken pattern should hear of it, but not at every printer name. The
// memory of what was said is bounded: a host that keeps setting new broken
// patterns would otherwise grow it for the life of the process, so past the
// bound it starts afresh (and may say something again).
constexpr size_t kMaxReported = 64;

void ReportOnce(const std::string& pattern, const std::string& what) {
  static std::mutex mutex;
  static std::set<std::pair<std::string, std::string>>* reported = new std::set<std::pair<std::string, std::string>>();
  std::lock_guard<std::mutex> lock(mutex);
  std::pair<std::string, std::string> item(pattern, what);
  if (reported->count(item)) return;
  if (reported->size() >= kMaxReported) reported->clear();
  reported->insert(std::move(item));
  std::fprintf(stderr, "quorprn: redirect: bad pattern \"%s\": %s\n",
               mbcs::Cp932Converter::ToUtf8Lossy(pattern).c_str(), what.c_str());
}

bool Compile(const std::string& pattern, std::regex* out) {
  try {
    *out = std::regex(pattern, std::regex::ECMAScript);
    return true;
  } catch (const std::regex_error& e) {
    ReportOnce(pattern, std::string(e.what()) + "; it never matches");
    return false;
  }
}

// Compiling a pattern costs far more than matching it, and the same few
// patterns are used for every printer of every listing: the compiled ones are
// kept, per thread because the standard regex is not shared safely, and at
// most kMaxCompiled of them. A pattern that does not compile is remembered
// too (as none), so it is reported once and never compiled again. The pointer
// answered stays valid until the thread's next call.
constexpr size_t kMaxCompiled = 64;

const std::regex* Compiled(const std::string& pattern) {
  thread_local std::unordered_map<std::string, std::unique_ptr<std::regex>> cache;
  auto it = cache.find(pattern);
  if (it != cache.end()) return it->second.get();
  if (cache.size() >= kMaxCompiled) cache.clear();
  auto re = std::make_unique<std::regex>();
  if (!Compile(pattern, re.get())) re.reset();
  return cache.emplace(pattern, std::move(re)).first->second.get();
}

}  // namespace

std::size_t redirect::MatchAllowance() { return g_allowance.load(); }
void redirect::SetMatchAllowance(std::size_t steps) { g_allowance.store(steps); }

CQuorPrnPrinterRedirectManager::CQuorPrnPrinterRedirectManager() = default;
CQuorPrnPrinterRedirectManager::CQuorPrnPrinterRedirectManager(const CQuorPrnPrinterRedirectManager&) = default;
CQuorPrnPrinterRedirectManager& CQuorPrnPrinterRedirectManager::operator=(const CQuorPrnPrinterRedirectManager&) =
    default;
CQuorPrnPrinterRedirectManager::~CQuorPrnPrinterRedirectManager() = default;

void CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(std::vector<std::string>& patterns) {
  m_cRedirectPortNameArray = patterns;
}

void CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(std::vector<std::string>& patterns) {
  m_cRemovePatternArray = patterns;
}

int CQuorPrnPrinterRedirectManager::_REGEX_SEARCH(const std::string& text, const std::string& pattern) {
  const std::regex* re = Compiled(pattern);
  if (!re || text.size() > kMaxMatchedText) return 0;
  std::size_t left = g_allowance.load(std::memory_order_relaxed);
  const char* begin = text.data();
  std::match_results<StepCountingIterator> match;
  try {
    return std::regex_search(StepCountingIterator(begin, &left), StepCountingIterator(begin + text.size(), &left),
                             match, *re)
               ? 1
               : 0;
  } catch (const std::regex_error& e) {
    ReportOnce(pattern, std::string(e.what()) + "; it never matches");
  } catch (const StepCountingIterator::Exhausted&) {
    ReportOnce(pattern, kGaveUp);
  }
  return 0;
}

int CQuorPrnPrinterRedirectManager::_REGEX_REPLACE(std::string& text, const std::string& replacement,
                                                   const std::string& pattern) {
  const std::regex* re = Compiled(pattern);
  if (!re || text.size() > kMaxMatchedText) return 0;
  std::size_t left = g_allowance.load(std::memory_order_relaxed);
  const char* begin = text.data();
  const char* end = begin + text.size();
  std::string result;
  // What std::regex_replace does, over positions that pay for their steps.
  // The matches' own positions are read free (base()) so that nothing can
  // throw from the iterator's comparison, which the standard declares
  // noexcept; comparing with the end iterator never compares positions.
  using Matches = std::regex_iterator<StepCountingIterator>;
  try {
    const char* rest = begin;
    for (Matches it(StepCountingIterator(begin, &left), StepCountingIterator(end, &left), *re), none; it != none;
         ++it) {
      result.append(rest, (*it)[0].first.base());
      it->format(std::back_inserter(result), replacement);
      rest = (*it)[0].second.base();
    }
    result.append(rest, end);
  } catch (const std::regex_error& e) {
    ReportOnce(pattern, std::string(e.what()) + "; it never matches");
    return 0;
  } catch (const StepCountingIterator::Exhausted&) {
    ReportOnce(pattern, kGaveUp);
    return 0;
  }
  if (result == text) return 0;
  text = std::move(result);
  return 1;
}

int CQuorPrnPrinterRedirectManager::_IsRedirectPort(const char* portName) {
  std::string port = portName ? portName : "";
  for (const std::string& pattern : m_cRedirectPortNameArray)
    if (_REGEX_SEARCH(port, pattern)) return 1;
  return 0;
}

std::string CQuorPrnPrinterRedirectManager::_ConvertRedirectPrinterName(const char* printerName) {
  std::string working = printerName ? printerName : "";
  const size_t count = m_cRemovePatternArray.size();
  if (count > 0) {
    // Removing one match can join the text around it into a new match of an
    // earlier pattern, hence whole passes until one changes nothing. Every
    // change shortens the text, so the passes end.
    bool changed = true;
    while (changed) {
      changed = false;
      for (size_t i = 0; i < count && i < m_cRemovePatternArray.size(); ++i)
        if (_REGEX_REPLACE(working, "", m_cRemovePatternArray[i])) changed = true;
    }
  }
  return working + kRedirectSuffix;
}

std::string CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(const char* printerName, const char* portName) {
  std::string name = printerName ? printerName : "";
  if (!_IsRedirectPort(portName)) return name;
  auto it = m_cRedirectPrinterMap.find(name);
  if (it != m_cRedirectPrinterMap.end()) return it->second;
  std::string redirect = _ConvertRedirectPrinterName(name.c_str());
  m_cRedirectPrinterMap.emplace(name, redirect);
  return redirect;
}

std::string CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(const char* printerName) {
  std::string name = printerName ? printerName : "";
  const PrinterInfo* info = CQuorPrnPrinterInfoManager::FindPrinter(name);
  if (!info) return name;
  return GetRedirectPrinterName(info->printerName.c_str(), info->portName.c_str());
}

std::string CQuorPrnPrinterRedirectManager::GetRealPrinterName(const char* storedName) {
  std::string stored = storedName ? storedName : "";
  // The suffix is a plain text test: run through the regex engine, a name
  // past the engine's length bound would never count as a redirect name, and
  // a redirected printer with a long name could not be found again.
  if (!stored.ends_with(kRedirectSuffix)) return stored;
  const int count = CQuorPrnPrinterInfoManager::GetPrinterCount();
  if (count < 1) return stored;
  const std::string wanted = mbcs::ToUpper(stored);
  for (int i = 0; i < count; ++i) {
    const PrinterInfo* entry = CQuorPrnPrinterInfoManager::GetPrinterAt(i);
    if (!entry || !_IsRedirectPort(entry->portName.c_str())) continue;
    std::string candidate = mbcs::ToUpper(_ConvertRedirectPrinterName(entry->printerName.c_str()));
    if (mbcs::Compare(candidate, wanted) == 0) return entry->printerName;
  }
  return stored;
}
