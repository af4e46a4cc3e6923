// A spooler backend described by a JSON document (UTF-8): the printers, their
// papers and bins, the default printer, and which calls fail for a printer.
// Used by tests, demos and machines without a print system. It owns its
// parsed printers and a call counter per printer and call kind, so tests can
// prove what the library caches. It never throws and never touches the
// machine's print system: a document that cannot be read, parsed or
// interpreted leaves an empty printer list and a message in LoadError().
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/spooler/SpoolerBackend.h"

namespace spooler {

class VirtualSpooler : public SpoolerBackend {
 public:
  // Call kinds, as counted by Calls() and as named in a printer's "fail" list.
  static constexpr const char* kOpen = "open";
  static constexpr const char* kGetPrinter = "getPrinter";
  static constexpr const char* kPapers = "papers";
  static constexpr const char* kPaperNames = "paperNames";
  static constexpr const char* kBins = "bins";
  static constexpr const char* kBinNames = "binNames";
  static constexpr const char* kEnum = "enum";        // counted under printer ""
  static constexpr const char* kDefault = "default";  // counted under printer ""

  // Reads and interprets the file; on failure the message (file, line,
  // cause) stays in LoadError() and, with `report`, goes once to standard
  // error. A caller that shows LoadError() itself passes report = false.
  static std::shared_ptr<VirtualSpooler> FromFile(const std::string& path, bool report = true);
  // The same from a document held in memory; `origin` names it in messages.
  static std::shared_ptr<VirtualSpooler> FromJson(const std::string& json,
                                                  const std::string& origin = "<json>");

  bool Enumerate(std::vector<PrinterEntry>* out, std::string* error) override;
  bool Open(const std::string& printer, std::string* error) override;
  bool GetPrinter(const std::string& printer, PrinterEntry* out, std::string* error) override;
  bool Capabilities(const std::string& printer, uint16_t capability, std::vector<uint16_t>* numbers,
                    std::vector<std::string>* names, std::string* error) override;
  bool DefaultPrinter(std::string* name, std::string* error) override;
  std::string Describe() const override;

  // Empty when the document was loaded; else why it was not.
  std::string LoadError() const override { return loadError_; }
  // How often `kind` was asked for `printer` (code page 932 name, exactly as
  // passed by the caller, unknown printers included).
  int Calls(const std::string& printer, const std::string& kind) const;
  // The sum over every printer.
  int TotalCalls(const std::string& kind) const;
  void ResetCalls();

  struct Printer {
    PrinterEntry entry;
    std::vector<std::pair<uint16_t, std::string>> papers;
    std::vector<std::pair<uint16_t, std::string>> bins;
    bool hasBinNames = false;
    std::vector<std::string> binNames;
    std::set<std::string> fail;
  };

 private:
  VirtualSpooler() = default;
  void Load(const std::string& json, const std::string& origin);
  void ReportLoadError() const;
  void Count(const std::string& printer, const char* kind);
  // The first printer of that name; null (with a message) when there is none
  // or when `kind` is made to fail for it.
  const Printer* Find(const std::string& printer, const char* kind, std::string* error) const;

  std::string origin_;
  std::string loadError_;
  bool report_ = true;
  std::vector<Printer> printers_;
  std::string default_;
  bool hasDefault_ = false;
  mutable std::mutex mutex_;
  std::map<std::pair<std::string, std::string>, int> calls_;
};

}  // namespace spooler
