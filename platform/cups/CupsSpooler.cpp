// The spooler interface answered from CUPS: the machine's real printers,
// their state, papers and bins. Requests run on a connection of the backend's
// own with a bounded wait (CupsConnection), kept open from one request to the
// next; nothing here may block without limit. Owns short-lived caches of the
// last printer listing, of the printers asked for by name, and of each
// printer's paper and bin lists: the platform's calls ask for one printer at
// a time and the count protocol asks the same list twice per capability, and
// listing every queue to find one is what made a large server slow. Listing
// the printers (Enumerate) refreshes them all. The backend is shared by every thread of the process, so the caches
// and the idle connection are locked; no lock is held while CUPS is asked (a
// thread that finds the connection in use opens one of its own). Texts leave
// as code page 932; CUPS types never leave this file.
#include "platform/cups/CupsSpooler.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include <cups/cups.h>

#include "platform/cups/CupsConnection.h"
#include "platform/cups/CupsPrintJob.h"
#include "platform/cups/MediaSourceBins.h"
#include "platform/cups/PaperNumbers.h"
#include "platform/cups/PrinterMediaList.h"
#include "platform/cups/PrinterStateBits.h"
#include "platform/cups/SavedOptions.h"
#include "platform/mbcs/Cp932Converter.h"
#include "platform/spooler/WinSpool.h"

namespace spooler {
namespace {

constexpr int kConnectMs = 3000;
// The whole answer to one request; a large listing from a local server takes
// a small fraction of it.
constexpr double kAnswerSeconds = 5.0;
// Long enough for one dialog's burst of capability queries, short enough that
// a changed printer shows up without a restart.
constexpr auto kMediaLife = std::chrono::seconds(30);
constexpr auto kSameRefresh = std::chrono::milliseconds(500);
constexpr unsigned long kScannerType = 0x2000000;  // CUPS_PRINTER_SCANNER

std::string Option(const cups_dest_t* dest, const char* name) {
  const char* value = cupsGetOption(name, dest->num_options, dest->options);
  return value ? value : "";
}

bool IsScanner(const cups_dest_t* dest) {
  return (std::strtoul(Option(dest, "printer-type").c_str(), nullptr, 10) & kScannerType) != 0;
}

std::string Display(const std::string& utf8) { return mbcs::Cp932Converter::FromUtf8Lossy(utf8); }

// A host runs without a console of ours; each distinct problem is told once.
void ReportOnce(const std::string& message) {
  static std::mutex mutex;
  static std::set<std::string> told;
  std::lock_guard<std::mutex> lock(mutex);
  if (told.insert(message).second) std::fprintf(stderr, "quorprn: %s\n", message.c_str());
}

// The size of a paper that only a keyword names (an option file's "A4",
// a printer default missing from its own list).
void KeywordSize(const std::string& keyword, int* width, int* length) {
  pwg_media_t* pwg = pwgMediaForPWG(keyword.c_str());
  if (!pwg) pwg = pwgMediaForLegacy(keyword.c_str());
  if (!pwg) pwg = pwgMediaForPPD(keyword.c_str());
  *width = pwg ? pwg->width : 0;
  *length = pwg ? pwg->length : 0;
}

bool StartsWith(const char* s, const char* prefix) { return std::strncmp(s, prefix, std::strlen(prefix)) == 0; }

// The "media" option may carry a paper and a source together ("A4,tray-1").
std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    if (comma > start) parts.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return parts;
}

class DestList {
 public:
  DestList() = default;
  ~DestList() { cupsFreeDests(count, dests); }
  DestList(const DestList&) = delete;
  DestList& operator=(const DestList&) = delete;
  int count = 0;
  cups_dest_t* dests = nullptr;
};
using Dests = std::shared_ptr<DestList>;

class DestInfo {
 public:
  explicit DestInfo(cups_dinfo_t* info) : info_(info) {}
  ~DestInfo() {
    if (info_) cupsFreeDestInfo(info_);
  }
  DestInfo(const DestInfo&) = delete;
  DestInfo& operator=(const DestInfo&) = delete;
  cups_dinfo_t* get() const { return info_; }

 private:
  cups_dinfo_t* info_;
};

void ApplyOptions(const cups_dest_t* dest, PrinterMediaList* list) {
  for (const std::string& part : SplitCommas(Option(dest, "media"))) {
    int width = 0, length = 0;
    KeywordSize(part, &width, &length);
    list->SetDefaultPaper(part, width, length);
    list->SetDefaultBin(part);
  }
  list->SetDefaultBin(Option(dest, "media-source"));
  list->SetDefaultSides(Option(dest, "sides"));
  list->SetDefaultColorMode(Option(dest, "print-color-mode"));
}

// The keywords of one attribute that the printer supports, and its default.
template <class Add, class SetDefault>
void ReadKeywords(http_t* http, cups_dest_t* dest, cups_dinfo_t* info, const char* attribute, Add add,
                  SetDefault setDefault) {
  ipp_attribute_t* supported = cupsFindDestSupported(http, dest, info, attribute);
  for (int i = 0; supported && i < ippGetCount(supported); ++i) {
    if (const char* keyword = ippGetString(supported, i, nullptr)) add(keyword);
  }
  if (ipp_attribute_t* def = cupsFindDestDefault(http, dest, info, attribute)) {
    if (const char* keyword = ippGetString(def, 0, nullptr)) setDefault(keyword);
  }
}

// Why a bounded call failed: the bound, else what libcups said.
std::string Failure(const CupsConnection& connection, const AnswerDeadline& bound, const char* what) {
  if (bound.Expired()) {
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, "%g", connection.AnswerSeconds());
    return std::string(what) + " failed: no answer from the CUPS server within " + seconds + " s";
  }
  return CupsConnection::LastFailure(what);
}

bool ReadMedia(CupsConnection* connection, cups_dest_t* dest, PrinterMediaList* list, std::string* error) {
  http_t* http = connection->get();
  cups_dinfo_t* copied = nullptr;
  std::string failure;
  {
    AnswerDeadline bound = connection->Bound();
    copied = cupsCopyDestInfo(http, dest);
    if (!copied) failure = Failure(*connection, bound, "reading the printer's papers");
  }
  DestInfo info(copied);
  if (!info.get()) {
    *error = failure.empty() ? "the printer's papers cannot be read" : failure;
    return false;
  }
  const unsigned flags = CUPS_MEDIA_FLAGS_DEFAULT;
  // media-supported keeps the printer's own order; the media database that
  // the by-index calls walk is sorted by size.
  ipp_attribute_t* supported = cupsFindDestSupported(http, dest, info.get(), "media");
  int count = supported ? ippGetCount(supported) : 0;
  for (int i = 0; i < count; ++i) {
    const char* keyword = ippGetString(supported, i, nullptr);
    // Custom size ranges, not papers.
    if (!keyword || StartsWith(keyword, "custom_min_") || StartsWith(keyword, "custom_max_")) continue;
    cups_size_t size{};
    if (cupsGetDestMediaByName(http, dest, info.get(), keyword, flags, &size)) {
      const char* name = cupsLocalizeDestMedia(http, dest, info.get(), flags, &size);
      list->AddPaper(keyword, size.width, size.length, name ? name : "");
    } else {
      int width = 0, length = 0;
      KeywordSize(keyword, &width, &length);
      list->AddPaper(keyword, width, length, "");
    }
  }
  if (count == 0) {
    int known = cupsGetDestMediaCount(http, dest, info.get(), flags);
    for (int i = 0; i < known; ++i) {
      cups_size_t size{};
      if (!cupsGetDestMediaByIndex(http, dest, info.get(), i, flags, &size)) continue;
      const char* name = cupsLocalizeDestMedia(http, dest, info.get(), flags, &size);
      list->AddPaper(size.media, size.width, size.length, name ? name : "");
    }
  }
  ipp_attribute_t* sources = cupsFindDestSupported(http, dest, info.get(), "media-source");
  for (int i = 0; sources && i < ippGetCount(sources); ++i) {
    const char* keyword = ippGetString(sources, i, nullptr);
    if (!keyword) continue;
    const char* name = cupsLocalizeDestValue(http, dest, info.get(), "media-source", keyword);
    list->AddBin(keyword, name ? name : "");
  }

  if (ipp_attribute_t* media = cupsFindDestDefault(http, dest, info.get(), "media")) {
    if (const char* keyword = ippGetString(media, 0, nullptr)) {
      int width = 0, length = 0;
      KeywordSize(keyword, &width, &length);
      list->SetDefaultPaper(keyword, width, length);
    }
  }
  if (ipp_attribute_t* source = cupsFindDestDefault(http, dest, info.get(), "media-source")) {
    if (const char* keyword = ippGetString(source, 0, nullptr)) list->SetDefaultBin(keyword);
  } else if (ipp_attribute_t* col = cupsFindDestDefault(http, dest, info.get(), "media-col")) {
    if (ipp_t* members = ippGetCollection(col, 0)) {
      ipp_attribute_t* member = ippFindAttribute(members, "media-source", IPP_TAG_ZERO);
      if (const char* keyword = member ? ippGetString(member, 0, nullptr) : nullptr) list->SetDefaultBin(keyword);
    }
  }
  ReadKeywords(
      http, dest, info.get(), "sides", [list](const char* k) { list->AddSides(k); },
      [list](const char* k) { list->SetDefaultSides(k); });
  ReadKeywords(
      http, dest, info.get(), "print-color-mode", [list](const char* k) { list->AddColorMode(k); },
      [list](const char* k) { list->SetDefaultColorMode(k); });
  // The user's own options (lpoptions) override what the printer prefers.
  ApplyOptions(dest, list);
  list->Finish();
  return true;
}

class CupsSpooler : public SpoolerBackend {
 public:
  bool Enumerate(std::vector<PrinterEntry>* out, std::string* error) override {
    out->clear();
    // The platform's count protocol enumerates twice for one refresh (the
    // size, then the fill): a listing this young answers the second call.
    Dests list;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (dests_ && std::chrono::steady_clock::now() - destsAt_ < kSameRefresh) {
        list = dests_;
      } else {
        media_.clear();
        named_.clear();
        dests_.reset();
      }
    }
    if (!list) {
      Lease connection(this);
      std::string why;
      // No print system at all is an empty list, not a failure.
      if (!connection->Open(&why)) return true;
      if (!(list = List(connection.get(), error))) return false;
    }
    for (int i = 0; i < list->count; ++i) {
      const cups_dest_t* dest = &list->dests[i];
      // lpoptions instances are views of a printer, not printers.
      if (dest->instance || IsScanner(dest)) continue;
      PrinterEntry entry;
      if (!ToEntry(dest, &entry)) continue;
      // Only the options: the printer's own defaults cost a request per
      // printer, which GetPrinter pays for the one printer it is asked about.
      PrinterMediaList media;
      ApplyOptions(dest, &media);
      entry.paper = media.DefaultPaper();
      std::string source = Option(dest, "media-source");
      entry.bin = source.empty() ? media.DefaultBin() : MediaSourceBins::Number(source);
      out->push_back(std::move(entry));
    }
    return true;
  }

  bool Open(const std::string& printer, std::string* error) override {
    Lease connection(this);
    Dests list;
    return FindDest(connection.get(), printer, &list, error) != nullptr;
  }

  bool GetPrinter(const std::string& printer, PrinterEntry* out, std::string* error) override {
    Lease connection(this);
    Dests list;
    cups_dest_t* dest = FindDest(connection.get(), printer, &list, error);
    if (!dest) return false;
    PrinterEntry entry;
    std::shared_ptr<const PrinterMediaList> media;
    bool ok = ToEntry(dest, &entry);
    if (!ok && error) *error = "the printer's name cannot be written in code page 932";
    if (ok) media = Cached(printer);
    if (ok && !media) ok = (media = Media(connection.get(), dest, printer, error)) != nullptr;
    if (!ok) return false;
    entry.paper = media->DefaultPaper();
    entry.bin = media->DefaultBin();
    entry.offersColor = media->OffersColor();
    entry.offersDuplex = media->OffersDuplex();
    entry.color = media->DefaultColor();
    entry.duplex = media->DefaultDuplex();
    *out = std::move(entry);
    return true;
  }

  bool Capabilities(const std::string& printer, uint16_t capability, std::vector<uint16_t>* numbers,
                    std::vector<std::string>* names, std::string* error) override {
    if (capability != DC_PAPERS && capability != DC_PAPERNAMES && capability != DC_BINS &&
        capability != DC_BINNAMES) {
      if (error) *error = "capability " + std::to_string(capability) + " is not supported";
      return false;
    }
    std::shared_ptr<const PrinterMediaList> media = Cached(printer);
    if (!media) {
      Lease connection(this);
      Dests list;
      cups_dest_t* dest = FindDest(connection.get(), printer, &list, error);
      if (!dest) return false;
      media = Media(connection.get(), dest, printer, error);
      if (!media) return false;
    }
    bool papers = capability == DC_PAPERS || capability == DC_PAPERNAMES;
    const auto& entries = papers ? media->Papers() : media->Bins();
    if (capability == DC_PAPERS || capability == DC_BINS) {
      if (numbers) {
        numbers->clear();
        for (const auto& e : entries) numbers->push_back(e.number);
      }
    } else if (names) {
      names->clear();
      for (const auto& e : entries) names->push_back(Display(e.name));
    }
    return true;
  }

  bool DefaultPrinter(std::string* name, std::string* error) override {
    Lease connection(this);
    std::string why;
    if (!connection->Open(&why)) {
      if (error) *error = why;
      return false;
    }
    // LPDEST, PRINTER and lpoptions before the server's own; an instance
    // stands for its printer.
    std::string utf8 = SavedOptions::UserDefault(), failure;
    if (utf8.empty()) {
      AnswerDeadline bound = connection->Bound();
      const char* found = cupsGetDefault2(connection->get());
      if (found) {
        utf8 = found;
      } else if (cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        failure = Failure(*connection, bound, "asking for the default printer");
      }
    }
    utf8 = utf8.substr(0, utf8.find('/'));
    if (utf8.empty()) {
      if (error) *error = failure.empty() ? "there is no default printer" : failure + " at " + connection->Server();
      return false;
    }
    std::string converted;
    Dests list;
    if (!mbcs::Cp932Converter::FromUtf8(utf8, &converted, &why) ||
        !FindDest(connection.get(), converted, &list, &why)) {
      if (error) *error = "the default printer \"" + utf8 + "\" is not usable";
      return false;
    }
    *name = converted;
    return true;
  }

  JobStatus GetJobChoices(const std::string& printer, JobChoices* out, std::string* error) override {
    Lease connection(this);
    Dests list;
    cups_dest_t* dest = FindDest(connection.get(), printer, &list, error);
    if (!dest) return NoDest(list);
    // The numbers must be the ones the capability queries handed out.
    std::shared_ptr<const PrinterMediaList> media = Cached(printer);
    if (!media) media = Media(connection.get(), dest, printer, error);
    if (!media) return JobStatus::kFailed;
    AnswerDeadline bound = connection->Bound();
    return CupsPrintJob::Choices(connection->get(), dest, *media, out, error);
  }

  JobStatus SubmitJob(const JobRequest& job, int* jobId, std::string* error) override {
    Lease connection(this);
    Dests list;
    cups_dest_t* dest = FindDest(connection.get(), job.printer, &list, error);
    if (!dest) return NoDest(list);
    // A document may take long to send but never long between two steps.
    connection->Uploading(true);
    JobStatus status = CupsPrintJob::Submit(connection->get(), dest, job, jobId, error);
    connection->Uploading(false);
    return status;
  }

  std::string Describe() const override {
    const char* server = cupsServer();
    return std::string("CUPS at ") + (server ? server : "?");
  }

 private:
  struct CachedMedia {
    std::chrono::steady_clock::time_point at;
    std::shared_ptr<const PrinterMediaList> list;
  };
  struct CachedDests {
    std::chrono::steady_clock::time_point at;
    Dests list;
  };

  // The backend's connection for one call: the idle one when it talks to
  // the server this thread's environment names, else a new one. Handed back
  // when the call left it fit for the next request, else closed.
  class Lease {
   public:
    explicit Lease(CupsSpooler* owner) : owner_(owner) {
      const char* server = cupsServer();
      std::string wanted = server ? server : "";
      std::lock_guard<std::mutex> lock(owner_->mutex_);
      if (owner_->idle_ && owner_->idle_->Server() == wanted) connection_ = std::move(owner_->idle_);
      owner_->idle_.reset();
      if (!connection_) connection_ = std::make_unique<CupsConnection>(kConnectMs, kAnswerSeconds);
    }
    ~Lease() {
      if (!connection_->Reusable()) return;
      std::lock_guard<std::mutex> lock(owner_->mutex_);
      if (!owner_->idle_) owner_->idle_ = std::move(connection_);
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    CupsConnection* get() const { return connection_.get(); }
    CupsConnection* operator->() const { return connection_.get(); }
    CupsConnection& operator*() const { return *connection_; }

   private:
    CupsSpooler* owner_;
    std::unique_ptr<CupsConnection> connection_;
  };

  // False (and reported once) for a printer whose name code page 932 cannot
  // hold: a mangled name would be a printer that no later call can find.
  static bool ToEntry(const cups_dest_t* dest, PrinterEntry* out) {
    std::string why;
    if (!mbcs::Cp932Converter::FromUtf8(dest->name, &out->name, &why)) {
      ReportOnce(std::string("CUPS printer \"") + dest->name + "\" left out: its name " + why);
      return false;
    }
    out->port = Display(Option(dest, "device-uri"));
    out->driver = Display(Option(dest, "printer-make-and-model"));
    out->comment = Display(Option(dest, "printer-info"));
    out->location = Display(Option(dest, "printer-location"));
    int state = std::atoi(Option(dest, "printer-state").c_str());
    out->status = PrinterStateBits::From(state, Option(dest, "printer-state-reasons"));
    return true;
  }

  // Why FindDest found nothing: a server that could not be reached or failed
  // to answer is a failure (no list), a list without the name is a printer
  // that is not (or no longer) there.
  static JobStatus NoDest(const Dests& list) { return list ? JobStatus::kNoPrinter : JobStatus::kFailed; }

  // The last listing while it is young enough, else null.
  Dests Fresh() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (dests_ && std::chrono::steady_clock::now() - destsAt_ < kMediaLife) return dests_;
    return nullptr;
  }

  // Every printer and class the server lists, on an open connection; kept as
  // the last listing. One request: cupsGetDests2 asks for the default printer
  // besides, and after a failed listing it asks again on a new connection
  // that no bound covers.
  Dests List(CupsConnection* connection, std::string* error) {
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    Dests list = Ask(connection, request, "listing the CUPS printers", error);
    if (!list) return nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    dests_ = list;
    destsAt_ = std::chrono::steady_clock::now();
    return list;
  }

  // The printer asked for by name: one small request instead of a listing of
  // every queue. An empty list when the server has no such printer.
  // cupsGetNamedDest is no substitute: for a name the server lacks it looks
  // on the network for a second, on libcups' unbounded shared connection.
  Dests Named(CupsConnection* connection, const std::string& printer, const std::string& utf8,
              std::string* error) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     utf8.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    Dests list = Ask(connection, request, "asking for the printer", error);
    if (list && list->count > 0) {
      std::lock_guard<std::mutex> lock(mutex_);
      named_[printer] = CachedDests{std::chrono::steady_clock::now(), list};
    }
    return list;
  }

  // Sends a printer request (freed here) with the attributes this file uses
  // and answers its printers as libcups' listing words them: numbers as
  // numbers, a default under the option's own name, several values separated
  // by commas; then the options saved with lpoptions. A printer the server
  // does not know is an empty list, a failure null with a message.
  static Dests Ask(CupsConnection* connection, ipp_t* request, const char* what, std::string* error) {
    // What this file reads, plus what libcups reads from a destination
    // (where to send requests, whether a job needs a password).
    static const char* const kWanted[] = {"auth-info-required",
                                          "device-uri",
                                          "printer-info",
                                          "printer-is-accepting-jobs",
                                          "printer-is-shared",
                                          "printer-is-temporary",
                                          "printer-location",
                                          "printer-make-and-model",
                                          "printer-name",
                                          "printer-state",
                                          "printer-state-reasons",
                                          "printer-type",
                                          "printer-uri-supported",
                                          "print-color-mode-default"};
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(kWanted)), nullptr, kWanted);
    ipp_t* response = nullptr;
    std::string failure;
    {
      AnswerDeadline bound = connection->Bound();
      response = connection->Request(request, "/");
      if (bound.Expired()) {
        failure = Failure(*connection, bound, what);
      } else if (!response || ippGetStatusCode(response) != IPP_STATUS_ERROR_NOT_FOUND) {
        failure = connection->RequestFailure(what, response);
      }
    }
    if (!failure.empty()) {
      ippDelete(response);
      if (error) *error = failure + " at " + connection->Server();
      return nullptr;
    }
    auto list = std::make_shared<DestList>();
    const SavedOptions saved;
    ipp_attribute_t* a = response ? ippFirstAttribute(response) : nullptr;
    while (a) {
      while (a && ippGetGroupTag(a) != IPP_TAG_PRINTER) a = ippNextAttribute(response);
      std::string name;
      std::vector<std::pair<std::string, std::string>> options;
      for (; a && ippGetGroupTag(a) == IPP_TAG_PRINTER; a = ippNextAttribute(response)) {
        const char* attribute = ippGetName(a);
        if (!attribute) continue;
        if (!std::strcmp(attribute, "printer-name")) {
          const char* text = ippGetString(a, 0, nullptr);
          name = text ? text : "";
          continue;
        }
        std::string option = attribute;
        if (option.size() > 8 && option.compare(option.size() - 8, 8, "-default") == 0) option.resize(option.size() - 8);
        char value[2048];
        const ipp_tag_t tag = ippGetValueTag(a);
        if (tag == IPP_TAG_INTEGER || tag == IPP_TAG_ENUM) {
          std::snprintf(value, sizeof value, "%d", ippGetInteger(a, 0));
        } else {
          ippAttributeString(a, value, sizeof value);
        }
        options.emplace_back(std::move(option), value);
      }
      if (name.empty()) continue;
      list->count = cupsAddDest(name.c_str(), nullptr, list->count, &list->dests);
      cups_dest_t* dest = cupsGetDest(name.c_str(), nullptr, list->count, list->dests);
      for (const auto& [option, value] : options) {
        dest->num_options = cupsAddOption(option.c_str(), value.c_str(), dest->num_options, &dest->options);
      }
      dest->num_options = saved.Apply(name, dest->num_options, &dest->options);
    }
    ippDelete(response);
    return list;
  }

  // The printer as CUPS knows it, or null with a message; `list` owns it.
  // The last listing answers when it holds the name; else the printer is
  // asked for by name, so a printer added since is found.
  cups_dest_t* FindDest(CupsConnection* connection, const std::string& printer, Dests* list, std::string* error) {
    std::string utf8, why;
    if (printer.empty() || !mbcs::Cp932Converter::ToUtf8(printer, &utf8, &why)) {
      if (error) *error = "not a printer name: " + (printer.empty() ? std::string("empty") : why);
      *list = std::make_shared<DestList>();
      return nullptr;
    }
    if (!connection->Open(&why)) {
      if (error) *error = "printer \"" + utf8 + "\": " + why;
      return nullptr;
    }
    cups_dest_t* dest = nullptr;
    if ((*list = Fresh())) dest = cupsGetDest(utf8.c_str(), nullptr, (*list)->count, (*list)->dests);
    if (!dest && !(*list = KnownByName(printer)) && !(*list = Named(connection, printer, utf8, error))) return nullptr;
    if (!dest && (*list)->count > 0) dest = &(*list)->dests[0];
    if (!dest || IsScanner(dest)) {
      if (error) *error = "printer \"" + utf8 + "\": no such printer";
      return nullptr;
    }
    return dest;
  }

  Dests KnownByName(const std::string& printer) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto known = named_.find(printer);
    if (known == named_.end() || std::chrono::steady_clock::now() - known->second.at >= kMediaLife) return nullptr;
    return known->second.list;
  }

  std::shared_ptr<const PrinterMediaList> Cached(const std::string& printer) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto cached = media_.find(printer);
    if (cached == media_.end() || std::chrono::steady_clock::now() - cached->second.at >= kMediaLife) return nullptr;
    return cached->second.list;
  }

  std::shared_ptr<const PrinterMediaList> Media(CupsConnection* connection, cups_dest_t* dest,
                                                const std::string& printer, std::string* error) {
    auto list = std::make_shared<PrinterMediaList>();
    std::string why;
    if (!ReadMedia(connection, dest, list.get(), &why)) {
      if (error) *error = "printer \"" + std::string(dest->name) + "\": " + why;
      return nullptr;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    media_[printer] = CachedMedia{std::chrono::steady_clock::now(), list};
    return list;
  }

  mutable std::mutex mutex_;
  std::map<std::string, CachedMedia> media_;
  std::map<std::string, CachedDests> named_;
  Dests dests_;
  std::chrono::steady_clock::time_point destsAt_;
  std::unique_ptr<CupsConnection> idle_;
};

}  // namespace

std::shared_ptr<SpoolerBackend> OpenCupsSpooler() { return std::make_shared<CupsSpooler>(); }

long CupsConnectionsOpened() { return CupsConnection::Opened(); }

}  // namespace spooler
