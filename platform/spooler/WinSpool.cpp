// Packs the answers of the current spooler backend into the caller's buffers
// the way the platform's own calls do. Owns the open printer handles (each
// remembers its printer's name); a handle that was never handed out or is
// already closed is refused rather than dereferenced.
#include "platform/spooler/WinSpool.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "platform/mbcs/Mbcs.h"
#include "platform/spooler/PropertySheetPrompt.h"
#include "platform/spooler/Spooler.h"

namespace {

struct PrinterHandle {
  std::string name;
};

std::mutex g_handleMutex;
std::unordered_set<PrinterHandle*>& Handles() {
  static auto* handles = new std::unordered_set<PrinterHandle*>();
  return *handles;
}

bool NameOf(HANDLE h, std::string* name) {
  std::lock_guard<std::mutex> lock(g_handleMutex);
  auto* ph = static_cast<PrinterHandle*>(h);
  if (!h || !Handles().count(ph)) return false;
  *name = ph->name;
  return true;
}

// The longest prefix of `text` that fits in `field` bytes with its NUL and
// does not split a double-byte character.
size_t FitLength(const std::string& text, size_t field) {
  if (field == 0) return 0;
  size_t limit = field - 1, i = 0;
  while (i < text.size() && text[i] != '\0') {
    size_t step = (mbcs::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return i;
}

void CopyCut(char* field, size_t width, const std::string& text) {
  size_t n = FitLength(text, width);
  std::memset(field, 0, width);
  std::memcpy(field, text.data(), n);
}

// The printer's current device settings as a block of its own. Colour and
// two-sided printing are carried only by printers that offer them, as a
// driver's block would.
void FillDevMode(const spooler::PrinterEntry& e, DEVMODEA* dm) {
  std::memset(dm, 0, sizeof *dm);
  CopyCut(dm->dmDeviceName, sizeof dm->dmDeviceName, e.name);
  dm->dmSpecVersion = 0x0401;
  dm->dmSize = sizeof(DEVMODEA);
  dm->dmDriverExtra = 0;
  dm->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_DEFAULTSOURCE | DM_COPIES | DM_SCALE;
  dm->dmOrientation = e.orientation;
  dm->dmPaperSize = e.paper;
  dm->dmDefaultSource = e.bin;
  dm->dmScale = 100;
  dm->dmCopies = 1;
  dm->dmColor = DMCOLOR_MONOCHROME;
  dm->dmDuplex = DMDUP_SIMPLEX;
  if (e.offersColor) {
    dm->dmFields |= DM_COLOR;
    dm->dmColor = e.color;
  }
  if (e.offersDuplex) {
    dm->dmFields |= DM_DUPLEX;
    dm->dmDuplex = e.duplex;
  }
}

constexpr size_t AlignUp(size_t n, size_t a) { return (n + a - 1) / a * a; }

// The bytes one entry's strings take (each with its NUL); the share name,
// separator file and the like are empty strings so that no caller meets a
// null where it expects text.
size_t StringBytes(const spooler::PrinterEntry& e) {
  return e.name.size() + e.port.size() + e.driver.size() + e.comment.size() + e.location.size() + 5 + 1;
}

// Lays out `entries` as consecutive PRINTER_INFO_2A records, then their device
// blocks, then their strings. Returns the bytes needed; writes only when
// `buffer` is non-null and large enough.
size_t Pack(const std::vector<spooler::PrinterEntry>& entries, unsigned char* buffer, size_t size) {
  size_t devOffset = AlignUp(entries.size() * sizeof(PRINTER_INFO_2A), alignof(DEVMODEA));
  size_t strOffset = devOffset + entries.size() * sizeof(DEVMODEA);
  size_t needed = strOffset;
  for (const auto& e : entries) needed += StringBytes(e);
  if (!buffer || size < needed) return needed;

  std::memset(buffer, 0, needed);
  char* strings = reinterpret_cast<char*>(buffer + strOffset);
  auto put = [&strings](const std::string& s) {
    char* at = strings;
    std::memcpy(at, s.data(), s.size());
    at[s.size()] = '\0';
    strings += s.size() + 1;
    return at;
  };
  for (size_t i = 0; i < entries.size(); ++i) {
    const auto& e = entries[i];
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer) + i;
    auto* dm = reinterpret_cast<DEVMODEA*>(buffer + devOffset) + i;
    FillDevMode(e, dm);

    char* empty = put("");
    info->pServerName = empty;
    info->pShareName = empty;
    info->pSepFile = empty;
    info->pPrintProcessor = empty;
    info->pDatatype = empty;
    info->pParameters = empty;
    info->pPrinterName = put(e.name);
    info->pPortName = put(e.port);
    info->pDriverName = put(e.driver);
    info->pComment = put(e.comment);
    info->pLocation = put(e.location);
    info->pDevMode = dm;
    info->pSecurityDescriptor = nullptr;
    info->Status = e.status;
  }
  return needed;
}

// The counts that queries without a buffer answered on this thread. A
// backend's answer can grow between the count query and the fill (a print
// server changes its mind), and the caller sized its buffer from the count:
// the fill never writes more entries than the count of the same capability,
// or else of its paired number list (callers size the names by the numbers).
// Only protects callers that count on the same thread before they fill.
struct Counted {
  std::string device;
  uint16_t capability;
  size_t count;
};
thread_local std::vector<Counted> t_counted;

void RememberCount(const std::string& device, uint16_t capability, size_t count) {
  for (Counted& c : t_counted)
    if (c.capability == capability) {
      c = Counted{device, capability, count};
      return;
    }
  t_counted.push_back(Counted{device, capability, count});
}

size_t FillLimit(const std::string& device, uint16_t capability, size_t count) {
  uint16_t paired = capability == DC_PAPERNAMES ? DC_PAPERS : capability == DC_BINNAMES ? DC_BINS : 0;
  const Counted* same = nullptr;
  const Counted* pair = nullptr;
  for (const Counted& c : t_counted) {
    if (c.device != device) continue;
    if (c.capability == capability) same = &c;
    if (paired && c.capability == paired) pair = &c;
  }
  if (same) return std::min(count, same->count);
  if (pair) return std::min(count, pair->count);
  return count;
}

bool Aligned(const unsigned char* buffer) {
  return reinterpret_cast<uintptr_t>(buffer) % alignof(PRINTER_INFO_2A) == 0;
}

// One list the printer offers (papers or bins): its numbers paired with their
// names. False when either query fails or the two disagree in length, since
// a sheet could then name a choice wrongly.
bool Listed(const std::string& printer, uint16_t numbersCap, uint16_t namesCap,
            std::vector<std::pair<int16_t, std::string>>* out) {
  auto backend = spooler::Spooler::Current();
  std::vector<uint16_t> numbers;
  std::vector<std::string> names;
  std::string error;
  if (!backend->Capabilities(printer, numbersCap, &numbers, nullptr, &error) ||
      !backend->Capabilities(printer, namesCap, nullptr, &names, &error) || numbers.size() != names.size())
    return false;
  out->clear();
  for (size_t i = 0; i < numbers.size(); ++i) out->emplace_back(static_cast<int16_t>(numbers[i]), names[i]);
  return true;
}

bool Offers(const std::vector<std::pair<int16_t, std::string>>& list, int16_t number) {
  return std::any_of(list.begin(), list.end(), [number](const auto& e) { return e.first == number; });
}

// Lays the members that `in` carries over `dm`, each only where the printer
// offers that value; `in` is read no further than its own dmSize says.
void Merge(const DEVMODEA& in, const spooler::PropertySheetOffer& offer, DEVMODEA* dm) {
  if (in.dmSize < offsetof(DEVMODEA, dmFields) + sizeof in.dmFields) return;
  auto carries = [&in](uint32_t bit, size_t offset) {
    return (in.dmFields & bit) != 0 && in.dmSize >= offset + sizeof(int16_t);
  };
  if (carries(DM_PAPERSIZE, offsetof(DEVMODEA, dmPaperSize)) && Offers(offer.papers, in.dmPaperSize))
    dm->dmPaperSize = in.dmPaperSize;
  if (carries(DM_DEFAULTSOURCE, offsetof(DEVMODEA, dmDefaultSource)) && Offers(offer.bins, in.dmDefaultSource))
    dm->dmDefaultSource = in.dmDefaultSource;
  if (carries(DM_ORIENTATION, offsetof(DEVMODEA, dmOrientation)) &&
      (in.dmOrientation == DMORIENT_PORTRAIT || in.dmOrientation == DMORIENT_LANDSCAPE))
    dm->dmOrientation = in.dmOrientation;
  if (carries(DM_COPIES, offsetof(DEVMODEA, dmCopies)) && in.dmCopies >= 1) dm->dmCopies = in.dmCopies;
  if (offer.color && carries(DM_COLOR, offsetof(DEVMODEA, dmColor)) &&
      (in.dmColor == DMCOLOR_MONOCHROME || in.dmColor == DMCOLOR_COLOR))
    dm->dmColor = in.dmColor;
  if (offer.duplex && carries(DM_DUPLEX, offsetof(DEVMODEA, dmDuplex)) && in.dmDuplex >= DMDUP_SIMPLEX &&
      in.dmDuplex <= DMDUP_HORIZONTAL)
    dm->dmDuplex = in.dmDuplex;
}

}  // namespace

int EnumPrintersA(uint32_t /*flags*/, const char* name, uint32_t level, unsigned char* buffer, uint32_t size,
                  uint32_t* needed, uint32_t* returned) {
  if (needed) *needed = 0;
  if (returned) *returned = 0;
  if (level != 2 || (name && *name) || !needed || !returned) return 0;
  std::vector<spooler::PrinterEntry> entries;
  std::string error;
  if (!spooler::Spooler::Current()->Enumerate(&entries, &error)) return 0;
  size_t bytes = Pack(entries, nullptr, 0);
  if (bytes > UINT32_MAX) return 0;
  *needed = static_cast<uint32_t>(bytes);
  if (entries.empty()) return 1;
  if (!buffer || size < bytes || !Aligned(buffer)) return 0;
  Pack(entries, buffer, size);
  *returned = static_cast<uint32_t>(entries.size());
  return 1;
}

int OpenPrinterA(const char* printerName, HANDLE* printer, PRINTER_DEFAULTSA* /*defaults*/) {
  if (printer) *printer = nullptr;
  if (!printerName || !printer) return 0;
  std::string error;
  if (!spooler::Spooler::Current()->Open(printerName, &error)) return 0;
  auto* h = new PrinterHandle{printerName};
  std::lock_guard<std::mutex> lock(g_handleMutex);
  Handles().insert(h);
  *printer = h;
  return 1;
}

int GetPrinterA(HANDLE printer, uint32_t level, unsigned char* buffer, uint32_t size, uint32_t* needed) {
  if (needed) *needed = 0;
  std::string name;
  if (level != 2 || !needed || !NameOf(printer, &name)) return 0;
  std::vector<spooler::PrinterEntry> entry(1);
  std::string error;
  if (!spooler::Spooler::Current()->GetPrinter(name, &entry[0], &error)) return 0;
  size_t bytes = Pack(entry, nullptr, 0);
  *needed = static_cast<uint32_t>(bytes);
  if (!buffer || size < bytes || !Aligned(buffer)) return 0;
  Pack(entry, buffer, size);
  return 1;
}

int ClosePrinter(HANDLE printer) {
  std::lock_guard<std::mutex> lock(g_handleMutex);
  auto* h = static_cast<PrinterHandle*>(printer);
  if (!h || !Handles().erase(h)) return 0;
  delete h;
  return 1;
}

int DeviceCapabilitiesA(const char* device, const char* /*port*/, uint16_t capability, char* output,
                        const DEVMODEA* /*devMode*/) {
  if (!device) return -1;
  std::vector<uint16_t> numbers;
  std::vector<std::string> names;
  std::string error;
  if (!spooler::Spooler::Current()->Capabilities(device, capability, &numbers, &names, &error)) return -1;
  bool byNumber = capability == DC_PAPERS || capability == DC_BINS;
  size_t count = byNumber ? numbers.size() : names.size();
  if (!output) {
    RememberCount(device, capability, count);
    return static_cast<int>(count);
  }
  // The full count still comes back, so that a caller comparing counts sees
  // the mismatch.
  size_t written = FillLimit(device, capability, count);
  if (byNumber) {
    // An empty list has no storage: memcpy with a null source is undefined
    // even for zero bytes.
    if (written > 0) std::memcpy(output, numbers.data(), written * sizeof(uint16_t));
  } else {
    size_t width = capability == DC_PAPERNAMES ? kPaperNameField : kBinNameField;
    for (size_t i = 0; i < written; ++i) CopyCut(output + i * width, width, names[i]);
  }
  return static_cast<int>(count);
}

bool GetDefaultPrinterName(std::string* name) {
  if (!name) return false;
  std::string found, error;
  if (!spooler::Spooler::Current()->DefaultPrinter(&found, &error) || found.empty()) return false;
  *name = found;
  return true;
}

int32_t DocumentPropertiesA(HWND window, HANDLE printer, const char* /*deviceName*/, DEVMODEA* output,
                            const DEVMODEA* input, uint32_t mode) {
  constexpr int32_t kFailed = -1;
  std::string name;
  if (!NameOf(printer, &name)) return kFailed;
  if ((mode & ~(DM_OUT_BUFFER | DM_IN_PROMPT | DM_IN_BUFFER)) != 0) return kFailed;
  if ((mode & DM_OUT_BUFFER) && !output) return kFailed;
  // Even the size is answered only for a printer that still answers, so that
  // a caller learns of a vanished printer before it allocates.
  spooler::PrinterEntry entry;
  std::string error;
  if (!spooler::Spooler::Current()->GetPrinter(name, &entry, &error)) return kFailed;
  if (mode == 0) return static_cast<int32_t>(sizeof(DEVMODEA));

  DEVMODEA settings;
  FillDevMode(entry, &settings);
  spooler::PropertySheetOffer offer;
  offer.printer = name;
  offer.color = entry.offersColor;
  offer.duplex = entry.offersDuplex;
  bool merging = (mode & DM_IN_BUFFER) && input;
  if (merging || (mode & DM_IN_PROMPT)) {
    if (!Listed(name, DC_PAPERS, DC_PAPERNAMES, &offer.papers) || !Listed(name, DC_BINS, DC_BINNAMES, &offer.bins))
      return kFailed;
  }
  if (merging) Merge(*input, offer, &settings);

  int32_t answer = IDOK;
  if (mode & DM_IN_PROMPT) {
    spooler::PropertySheetPrompt prompt = spooler::CurrentPropertySheetPrompt();
    if (!prompt) return kFailed;
    DEVMODEA edited = settings;
    answer = prompt(window, offer, &edited);
    if (answer == IDOK) {
      // What comes back from the sheet is held to the same rules as a
      // caller's block: nothing the printer does not offer goes out.
      edited.dmSize = sizeof(DEVMODEA);
      edited.dmFields = settings.dmFields;
      Merge(edited, offer, &settings);
    } else if (answer != IDCANCEL) {
      return kFailed;
    }
  }
  if (mode & DM_OUT_BUFFER) std::memcpy(output, &settings, sizeof settings);
  return answer;
}
