// Parsing and answering for the JSON-described spooler. Parsing tracks the
// byte offset of every printer and field so that a message can name the line
// a human has to fix; JSON library exceptions stop here.
#include "platform/spooler/VirtualSpooler.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"

namespace spooler {
namespace {

using nlohmann::json;

// Hands the parser one byte at a time and remembers how far it has read, so
// that the parse callback knows where in the text each value ends.
class TrackingIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackingIterator(const char* p, const char** furthest) : p_(p), furthest_(furthest) {}
  reference operator*() const { return *p_; }
  TrackingIterator& operator++() {
    ++p_;
    if (p_ > *furthest_) *furthest_ = p_;
    return *this;
  }
  TrackingIterator operator++(int) {
    TrackingIterator old = *this;
    ++*this;
    return old;
  }
  bool operator==(const TrackingIterator& o) const { return p_ == o.p_; }
  bool operator!=(const TrackingIterator& o) const { return p_ != o.p_; }

 private:
  const char* p_;
  const char** furthest_;
};

// A virtual spooler describes a handful of printers. A document past these
// bounds is refused with a message rather than parsed into memory that grows
// with it; the depth bound also keeps the recursive printing of a value in a
// message off the stack's end.
constexpr size_t kMaxDocumentBytes = size_t{4} << 20;
constexpr int kMaxDepth = 16;
constexpr size_t kMaxValues = 200000;
constexpr size_t kMaxPrinters = 4096;
constexpr size_t kMaxListEntries = 4096;

struct Positions {
  std::map<std::string, size_t> top;                  // top-level key -> offset
  std::vector<size_t> printer;                        // printer object -> offset
  std::vector<std::map<std::string, size_t>> field;   // printer field -> offset
};

int LineAt(const std::string& text, size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// A failure to interpret the document, with the offset it refers to.
struct Problem {
  size_t offset;
  std::string cause;
};

const std::set<std::string>& FailKinds() {
  static const std::set<std::string> kinds = {
      VirtualSpooler::kOpen,  VirtualSpooler::kGetPrinter, VirtualSpooler::kPapers, VirtualSpooler::kPaperNames,
      VirtualSpooler::kBins,  VirtualSpooler::kBinNames,   VirtualSpooler::kEnum,   VirtualSpooler::kDefault};
  return kinds;
}

bool ToCp932(const json& v, const std::string& what, std::string* out, std::string* cause) {
  if (!v.is_string()) {
    *cause = what + " must be a string";
    return false;
  }
  std::string err;
  if (!mbcs::Cp932Converter::FromUtf8(v.get_ref<const std::string&>(), out, &err)) {
    *cause = what + " cannot be written in code page 932 (" + err + ")";
    return false;
  }
  return true;
}

bool ToInt(const json& v, const std::string& what, long long lo, long long hi, long long* out, std::string* cause) {
  if (!v.is_number_integer()) {
    *cause = what + " must be a whole number";
    return false;
  }
  if (v.is_number_unsigned()) {
    auto u = v.get<unsigned long long>();
    if (u > static_cast<unsigned long long>(hi)) {
      *cause = what + " is out of range";
      return false;
    }
    *out = static_cast<long long>(u);
  } else {
    *out = v.get<long long>();
  }
  if (*out < lo || *out > hi) {
    *cause = what + " is out of range";
    return false;
  }
  return true;
}

bool TooLong(const json& v, const std::string& what, std::string* cause) {
  if (v.size() <= kMaxListEntries) return false;
  *cause = what + " has more than " + std::to_string(kMaxListEntries) + " entries";
  return true;
}

bool ToNumberedNames(const json& v, const std::string& what, std::vector<std::pair<uint16_t, std::string>>* out,
                     std::string* cause) {
  if (!v.is_array()) {
    *cause = what + " must be an array of [number, name] pairs";
    return false;
  }
  if (TooLong(v, what, cause)) return false;
  for (size_t i = 0; i < v.size(); ++i) {
    const json& e = v[i];
    std::string item = what + " entry " + std::to_string(i + 1);
    if (!e.is_array() || e.size() != 2) {
      *cause = item + " must be a [number, name] pair";
      return false;
    }
    long long n = 0;
    std::string name;
    if (!ToInt(e[0], item + " number", 0, 0xFFFF, &n, cause) || !ToCp932(e[1], item + " name", &name, cause))
      return false;
    out->emplace_back(static_cast<uint16_t>(n), std::move(name));
  }
  return true;
}

bool ReadPrinter(const json& p, VirtualSpooler::Printer* out, std::string* badField, std::string* cause) {
  if (!p.is_object()) {
    *cause = "a printer must be an object";
    return false;
  }
  if (!p.contains("name")) {
    *cause = "a printer needs a \"name\"";
    return false;
  }
  for (auto it = p.begin(); it != p.end(); ++it) {
    const std::string& key = it.key();
    const json& v = it.value();
    *badField = key;
    PrinterEntry& e = out->entry;
    std::string what = "\"" + key + "\"";
    long long n = 0;
    if (key == "name" || key == "port" || key == "driver" || key == "comment" || key == "location") {
      std::string* dst = key == "name"     ? &e.name
                         : key == "port"   ? &e.port
                         : key == "driver" ? &e.driver
                         : key == "comment" ? &e.comment
                                            : &e.location;
      if (!ToCp932(v, what, dst, cause)) return false;
    } else if (key == "status") {
      if (!ToInt(v, what, 0, std::numeric_limits<uint32_t>::max(), &n, cause)) return false;
      e.status = static_cast<uint32_t>(n);
    } else if (key == "devmode") {
      if (!v.is_object()) {
        *cause = what + " must be an object";
        return false;
      }
      for (auto d = v.begin(); d != v.end(); ++d) {
        int16_t* dst = d.key() == "paper"         ? &e.paper
                       : d.key() == "bin"         ? &e.bin
                       : d.key() == "orientation" ? &e.orientation
                       : d.key() == "color"       ? &e.color
                       : d.key() == "duplex"      ? &e.duplex
                                                  : nullptr;
        if (!dst) {
          *cause = "unknown devmode field \"" + d.key() + "\" (paper, bin, orientation, color, duplex)";
          return false;
        }
        if (!ToInt(d.value(), "devmode \"" + d.key() + "\"", std::numeric_limits<int16_t>::min(),
                   std::numeric_limits<int16_t>::max(), &n, cause))
          return false;
        *dst = static_cast<int16_t>(n);
      }
    } else if (key == "color" || key == "duplex") {
      if (!v.is_boolean()) {
        *cause = what + " must be true or false";
        return false;
      }
      (key == "color" ? e.offersColor : e.offersDuplex) = v.get<bool>();
    } else if (key == "papers" || key == "bins") {
      if (!ToNumberedNames(v, what, key == "papers" ? &out->papers : &out->bins, cause)) return false;
    } else if (key == "binNames") {
      if (!v.is_array()) {
        *cause = what + " must be an array of strings";
        return false;
      }
      if (TooLong(v, what, cause)) return false;
      out->hasBinNames = true;
      for (size_t i = 0; i < v.size(); ++i) {
        std::string name;
        if (!ToCp932(v[i], what + " entry " + std::to_string(i + 1), &name, cause)) return false;
        out->binNames.push_back(std::move(name));
      }
    } else if (key == "fail") {
      if (!v.is_array()) {
        *cause = what + " must be an array of call kinds";
        return false;
      }
      if (TooLong(v, what, cause)) return false;
      for (const json& k : v) {
        if (!k.is_string() || !FailKinds().count(k.get<std::string>())) {
          *cause = "unknown call kind " + k.dump() +
                   " in \"fail\" (open, getPrinter, papers, paperNames, bins, binNames, enum, default)";
          return false;
        }
        out->fail.insert(k.get<std::string>());
      }
    } else {
      *cause = "unknown printer field " + what;
      return false;
    }
  }
  return true;
}

std::string TooLargeMessage() {
  return "larger than " + std::to_string(kMaxDocumentBytes >> 20) + " MiB; a virtual spooler describes a few printers";
}

std::string ParseCause(const std::string& what) {
  // The library's text repeats the position that the message already names.
  size_t at = what.find("column ");
  if (at != std::string::npos) {
    size_t colon = what.find(": ", at);
    if (colon != std::string::npos) return what.substr(colon + 2);
  }
  return what;
}

}  // namespace

std::shared_ptr<VirtualSpooler> VirtualSpooler::FromFile(const std::string& path, bool report) {
  std::shared_ptr<VirtualSpooler> s(new VirtualSpooler());
  s->report_ = report;
  auto refuse = [&](const std::string& why) {
    s->origin_ = path;
    s->loadError_ = path + ": " + why;
    s->ReportLoadError();
    return s;
  };
  std::ifstream in(path, std::ios::binary);
  if (!in) return refuse("cannot be read");
  // Read straight into one string of the file's size: the document is held
  // once, and a file past the bound is never read at all.
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0) return refuse("cannot be read");
  if (static_cast<uint64_t>(size) > kMaxDocumentBytes) return refuse(TooLargeMessage());
  std::string text(static_cast<size_t>(size), '\0');
  in.seekg(0, std::ios::beg);
  if (size > 0 && !in.read(text.data(), size)) return refuse("cannot be read");
  s->Load(text, path);
  return s;
}

std::shared_ptr<VirtualSpooler> VirtualSpooler::FromJson(const std::string& json, const std::string& origin) {
  std::shared_ptr<VirtualSpooler> s(new VirtualSpooler());
  s->Load(json, origin);
  return s;
}

void VirtualSpooler::ReportLoadError() const {
  if (report_) std::fprintf(stderr, "quorprn: spooler: %s\n", loadError_.c_str());
}

void VirtualSpooler::Load(const std::string& text, const std::string& origin) {
  origin_ = origin;
  if (text.size() > kMaxDocumentBytes) {
    loadError_ = origin + ": " + TooLargeMessage();
    ReportLoadError();
    return;
  }
  Positions pos;
  std::string lastTop;
  int printersDepth = -1;
  const char* furthest = text.data();
  auto here = [&] { return static_cast<size_t>(std::max<std::ptrdiff_t>(0, furthest - text.data() - 1)); };
  size_t values = 0;
  auto callback = [&](int depth, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::value || event == json::parse_event_t::object_start ||
        event == json::parse_event_t::array_start) {
      if (depth > kMaxDepth) throw std::length_error("nested deeper than " + std::to_string(kMaxDepth) + " levels");
      if (++values > kMaxValues)
        throw std::length_error("more than " + std::to_string(kMaxValues) + " values");
    }
    if (event == json::parse_event_t::key && depth == 1) {
      lastTop = parsed.get<std::string>();
      pos.top[lastTop] = here();
    } else if (event == json::parse_event_t::array_start && depth == 1 && lastTop == "printers") {
      printersDepth = 2;
    } else if (event == json::parse_event_t::object_start && depth == printersDepth && lastTop == "printers") {
      pos.printer.push_back(here());
      pos.field.emplace_back();
    } else if (event == json::parse_event_t::key && depth == printersDepth + 1 && lastTop == "printers" &&
               !pos.field.empty()) {
      pos.field.back()[parsed.get<std::string>()] = here();
    }
    return true;
  };

  auto fail = [&](size_t offset, const std::string& cause) {
    printers_.clear();
    hasDefault_ = false;
    loadError_ = origin + ":" + std::to_string(LineAt(text, offset)) + ": " + cause;
    ReportLoadError();
  };

  json doc;
  try {
    const char* b = text.data();
    doc = json::parse(TrackingIterator(b, &furthest), TrackingIterator(b + text.size(), &furthest), callback);
  } catch (const json::parse_error& e) {
    size_t at = e.byte > 0 ? e.byte - 1 : 0;
    printers_.clear();
    loadError_ = origin + ":" + std::to_string(LineAt(text, at)) + ": " + ParseCause(e.what());
    ReportLoadError();
    return;
  } catch (const std::exception& e) {
    fail(here(), e.what());
    return;
  }

  try {
    if (!doc.is_object()) return fail(0, "the document must be an object with \"printers\"");
    for (auto it = doc.begin(); it != doc.end(); ++it) {
      if (it.key() != "printers" && it.key() != "default")
        return fail(pos.top[it.key()], "unknown field \"" + it.key() + "\" (printers, default)");
    }
    if (doc.contains("default")) {
      std::string cause;
      if (!ToCp932(doc["default"], "\"default\"", &default_, &cause)) return fail(pos.top["default"], cause);
      hasDefault_ = true;
    }
    if (!doc.contains("printers")) return fail(0, "the document has no \"printers\" array");
    const json& list = doc["printers"];
    if (!list.is_array()) return fail(pos.top["printers"], "\"printers\" must be an array");
    if (list.size() > kMaxPrinters)
      return fail(pos.top["printers"], "\"printers\" has more than " + std::to_string(kMaxPrinters) + " entries");
    for (size_t i = 0; i < list.size(); ++i) {
      Printer p;
      std::string field, cause;
      if (!ReadPrinter(list[i], &p, &field, &cause)) {
        size_t offset = i < pos.printer.size() ? pos.printer[i] : pos.top["printers"];
        if (i < pos.field.size() && pos.field[i].count(field)) offset = pos.field[i][field];
        return fail(offset, "printer " + std::to_string(i + 1) + ": " + cause);
      }
      printers_.push_back(std::move(p));
    }
  } catch (const std::exception& e) {
    return fail(0, e.what());
  }
}

void VirtualSpooler::Count(const std::string& printer, const char* kind) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++calls_[{printer, kind}];
}

int VirtualSpooler::Calls(const std::string& printer, const std::string& kind) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = calls_.find({printer, kind});
  return it == calls_.end() ? 0 : it->second;
}

int VirtualSpooler::TotalCalls(const std::string& kind) const {
  std::lock_guard<std::mutex> lock(mutex_);
  int sum = 0;
  for (const auto& [key, n] : calls_)
    if (key.second == kind) sum += n;
  return sum;
}

void VirtualSpooler::ResetCalls() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
}

const VirtualSpooler::Printer* VirtualSpooler::Find(const std::string& printer, const char* kind,
                                                    std::string* error) const {
  for (const Printer& p : printers_) {
    if (p.entry.name != printer) continue;
    if (p.fail.count(kind)) {
      if (error) *error = std::string("injected failure of ") + kind + " for " + mbcs::Cp932Converter::ToUtf8Lossy(printer);
      return nullptr;
    }
    return &p;
  }
  if (error) *error = "no printer named " + mbcs::Cp932Converter::ToUtf8Lossy(printer);
  return nullptr;
}

bool VirtualSpooler::Enumerate(std::vector<PrinterEntry>* out, std::string* error) {
  Count("", kEnum);
  out->clear();
  for (const Printer& p : printers_) {
    if (p.fail.count(kEnum)) {
      if (error) *error = "injected failure of enum";
      return false;
    }
  }
  for (const Printer& p : printers_) out->push_back(p.entry);
  return true;
}

bool VirtualSpooler::Open(const std::string& printer, std::string* error) {
  Count(printer, kOpen);
  return Find(printer, kOpen, error) != nullptr;
}

bool VirtualSpooler::GetPrinter(const std::string& printer, PrinterEntry* out, std::string* error) {
  Count(printer, kGetPrinter);
  const Printer* p = Find(printer, kGetPrinter, error);
  if (!p) return false;
  *out = p->entry;
  return true;
}

bool VirtualSpooler::Capabilities(const std::string& printer, uint16_t capability, std::vector<uint16_t>* numbers,
                                  std::vector<std::string>* names, std::string* error) {
  const char* kind = capability == DC_PAPERS       ? kPapers
                     : capability == DC_PAPERNAMES ? kPaperNames
                     : capability == DC_BINS       ? kBins
                     : capability == DC_BINNAMES   ? kBinNames
                                                   : nullptr;
  if (!kind) {
    if (error) *error = "capability " + std::to_string(capability) + " is not supported";
    return false;
  }
  Count(printer, kind);
  const Printer* p = Find(printer, kind, error);
  if (!p) return false;
  if (numbers) numbers->clear();
  if (names) names->clear();
  const auto& list = (capability == DC_PAPERS || capability == DC_PAPERNAMES) ? p->papers : p->bins;
  if (capability == DC_BINNAMES && p->hasBinNames) {
    if (names) *names = p->binNames;
    return true;
  }
  for (const auto& [number, name] : list) {
    if ((capability == DC_PAPERS || capability == DC_BINS) && numbers) numbers->push_back(number);
    if ((capability == DC_PAPERNAMES || capability == DC_BINNAMES) && names) names->push_back(name);
  }
  return true;
}

bool VirtualSpooler::DefaultPrinter(std::string* name, std::string* error) {
  Count("", kDefault);
  if (!hasDefault_) {
    if (error) *error = "no default printer";
    return false;
  }
  for (const Printer& p : printers_) {
    if (p.fail.count(kDefault)) {
      if (error) *error = "injected failure of default";
      return false;
    }
  }
  *name = default_;
  return true;
}

std::string VirtualSpooler::Describe() const {
  return "virtual spooler (" + origin_ + (loadError_.empty() ? ")" : ", not loaded)");
}

}  // namespace spooler
