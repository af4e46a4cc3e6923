// The settings store's operations. Every public operation that touches the
// registry makes exactly one registry-key object and hands it down to the
// helpers, so the object is released on every path, exceptions included, and
// no handle outlives the operation. Reads tell absence (silent, a default or a
// 14x/180 code) from every other failure (reported once, then a fixed code);
// writes, creates, deletes and listings are not examined. Nothing here talks
// to a hive directly, and nothing here knows how printers are enumerated: it
// asks the printer list and the redirect manager for stored names.
#include "store/CQuorPrnSettingStore.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>

#include "meraprn/CPrnDoc.h"
#include "platform/registry/MeraRegKey.h"
#include "platform/registry/Registry.h"
#include "printer/CQuorPrnPrinterInfoManager.h"
#include "quorprn/CQuorPrnPrinterRedirectManager.h"

namespace {

constexpr const char* kRootKey = "SOFTWARE\\Olvanet\\Sarvo";
constexpr const char* kAbsent = "ECR040";
constexpr int kMaxColor = 999;
constexpr int kMaxPreset = 99;

// Tells whether the last registry failure was an absence; any other failure
// is reported here, so each one is reported exactly once.
bool LastFailureWasAbsence() {
  // Absence first, without building the code: a palette read probes hundreds
  // of absent names.
  return MeraLastErrorIsAbsence() || MeraLastErrorCode(/*report=*/true) == kAbsent;
}

bool Empty(const char* text) { return text == nullptr || text[0] == '\0'; }

std::string Numbered(const char* format, int number) {
  char buf[32];
  std::snprintf(buf, sizeof buf, format, number);
  return buf;
}

// "C001" to "C999", formatted once: every palette read probes all of them.
const std::string& ColorValueName(int number) {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v(kMaxColor + 1);
    for (int n = 1; n <= kMaxColor; ++n) v[n] = Numbered("C%03d", n);
    return v;
  }();
  return names[number];
}

// Objects the store creates answer 111 instead of throwing when memory runs
// out; the caller's own containers are left to throw as they always do.
template <class T, class... Args>
std::unique_ptr<T> TryNew(Args&&... args) {
  try {
    return std::make_unique<T>(std::forward<Args>(args)...);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

// A number value: absence keeps `field`; another failure is reported and
// answers false.
bool ReadNumber(CMeraRegKey& reg, const char* name, int32_t& field) {
  int32_t value = 0;
  if (reg.GetNumber(name, value)) {
    field = value;
    return true;
  }
  return LastFailureWasAbsence();
}

bool ReadText(CMeraRegKey& reg, const char* name, std::string& field) {
  std::string value;
  if (reg.GetText(name, value)) {
    field = std::move(value);
    return true;
  }
  return LastFailureWasAbsence();
}

}  // namespace

CQuorPrnSettingStore::CQuorPrnSettingStore() = default;
CQuorPrnSettingStore::~CQuorPrnSettingStore() = default;

// ---------------------------------------------------------------------------
// Names and keys

std::string CQuorPrnSettingStore::ToKeyName(const std::string& printerName) {
  std::string key = printerName;
  for (char& c : key) {
    if (c == '\\') c = ',';
  }
  return key;
}

std::string CQuorPrnSettingStore::FromKeyName(const std::string& keyName) {
  std::string name = keyName;
  for (char& c : name) {
    if (c == ',') c = '\\';
  }
  return name;
}

// A printer that is not installed keeps its name: its port, and so whether it
// is redirected, cannot be known.
std::string CQuorPrnSettingStore::StoredName(const char* printerName) {
  if (printerName == nullptr) return std::string();
  const PrinterInfo* listed = CQuorPrnPrinterInfoManager::FindPrinter(printerName);
  if (listed == nullptr) return printerName;
  return CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(listed->printerName.c_str(),
                                                                listed->portName.c_str());
}

bool CQuorPrnSettingStore::_checkEntry(const char* system, const char* job, uint32_t setNo) const {
  return !Empty(system) && !Empty(job) && setNo <= 99;
}

void CQuorPrnSettingStore::_setBaseKey(const char* system, const char* job, uint32_t setNo) {
  m_baseKey = std::string(kRootKey) + "\\" + system + "\\" + job;
  m_setNo = setNo;
}

void CQuorPrnSettingStore::_setSetKey() {
  m_setKey = m_baseKey + "\\Print\\" + Numbered("PrinterSet%02d", static_cast<int>(m_setNo));
}

std::string CQuorPrnSettingStore::_printerKey(const std::string& storedName) const {
  return m_baseKey + "\\Print\\" + Numbered("PrinterSet%02d", static_cast<int>(m_setNo)) + "\\" +
         ToKeyName(storedName);
}

std::string CQuorPrnSettingStore::_colorsKey(const char* leaf) const {
  std::string key = m_baseKey + "\\Print\\Colors";
  if (leaf != nullptr) key += std::string("\\") + leaf;
  return key;
}

std::string CQuorPrnSettingStore::_presetKey(int32_t presetNo) const {
  return _colorsKey(Numbered("Preset%02d", presetNo).c_str());
}

void CQuorPrnSettingStore::_dropPrinters() { m_printers.clear(); }

CQuorPrnRegPrinter* CQuorPrnSettingStore::_findListed(const std::string& storedName) const {
  for (const auto& printer : m_printers) {
    if (printer && printer->Name == storedName) return printer.get();
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Reading

int32_t CQuorPrnSettingStore::_readCurrentPrinter(CMeraRegKey& reg) {
  _setSetKey();
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, m_setKey, /*write=*/0)) {
    return LastFailureWasAbsence() ? QUOR_PRN_NO_PRINTER_SET : QUOR_PRN_ERR_READ_SET;
  }
  std::string current;
  if (!reg.GetText("CurrentPrinter", current)) {
    return LastFailureWasAbsence() ? QUOR_PRN_NO_CURRENT_PRINTER : QUOR_PRN_ERR_READ_CURRENT;
  }
  m_currentPrinter = std::move(current);
  return QUOR_PRN_SUCCESS;
}

void CQuorPrnSettingStore::_readPaletteValues(CMeraRegKey& reg, Palette& palette) {
  for (int n = 1; n <= kMaxColor; ++n) {
    const std::string& name = ColorValueName(n);
    int32_t color = 0;
    if (reg.GetNumber(name, color)) {
      auto entry = std::make_unique<MERA_PRN_COLOR_PALETTE_TYPE>();
      entry->Name = name;
      entry->Color = color;
      palette.push_back(std::move(entry));
    } else {
      // An unreadable colour is skipped like a missing one, but still told.
      LastFailureWasAbsence();
    }
  }
}

int32_t CQuorPrnSettingStore::_readPrinterKey(CMeraRegKey& reg, CQuorPrnRegPrinter& printer) {
  // An empty name would make the set key itself pass for a printer's key.
  if (printer.Name.empty()) return QUOR_PRN_NO_PRINTER_ENTRY;
  const std::string key = m_setKey + "\\" + ToKeyName(printer.Name);
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, key, /*write=*/0)) {
    LastFailureWasAbsence();
    return QUOR_PRN_NO_PRINTER_ENTRY;
  }
  if (!ReadNumber(reg, "OffsetX", printer.OffsetX) || !ReadNumber(reg, "OffsetY", printer.OffsetY) ||
      !ReadNumber(reg, "ScaleX", printer.ScaleX) || !ReadNumber(reg, "ScaleY", printer.ScaleY) ||
      !ReadNumber(reg, "ScaleFix", printer.ScaleFix)) {
    return QUOR_PRN_NO_PRINTER_ENTRY;
  }
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, key + "\\Colors", /*write=*/0)) {
    return LastFailureWasAbsence() ? QUOR_PRN_SUCCESS : QUOR_PRN_NO_PRINTER_ENTRY;
  }
  return _readColors(reg, printer);
}

// The printer's "Colors" key is open. The mode read here decides which palette
// applies: the printer's own, a shared preset, or the default colours.
int32_t CQuorPrnSettingStore::_readColors(CMeraRegKey& reg, CQuorPrnRegPrinter& printer) {
  if (!ReadNumber(reg, "ColorPrint", printer.ColorPrint) || !ReadNumber(reg, "Mode", printer.ColorMode)) {
    return QUOR_PRN_ERR_READ_PRINTER;
  }
  std::string paletteKey;
  if (printer.ColorMode < 0) {
    paletteKey = m_setKey + "\\" + ToKeyName(printer.Name) + "\\Colors";
  } else if (printer.ColorMode >= 1 && printer.ColorMode <= kMaxPreset) {
    paletteKey = _presetKey(printer.ColorMode);
  } else {
    paletteKey = _colorsKey("Default");
  }
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, paletteKey, /*write=*/0)) {
    return LastFailureWasAbsence() ? QUOR_PRN_SUCCESS : QUOR_PRN_NO_PRINTER_ENTRY;
  }
  Palette scratch;
  _readPaletteValues(reg, scratch);
  printer.ColorPalette = std::move(scratch);
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::_readForm(CMeraRegKey& reg, CQuorPrnRegForm& form) {
  m_workKey = m_setKey + "\\" + ToKeyName(m_currentPrinter) + "\\Form\\" + form.FormName;
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, m_workKey, /*write=*/0)) {
    return LastFailureWasAbsence() ? QUOR_PRN_NO_FORM_ENTRY : QUOR_PRN_ERR_REG_KEY;
  }
  if (!ReadText(reg, "Bin", form.Bin) || !ReadText(reg, "PaperName", form.PaperName) ||
      !ReadText(reg, "PaperSize", form.PaperSize) || !ReadNumber(reg, "PaperSizeFit", form.PaperSizeFit) ||
      !ReadNumber(reg, "OffsetX", form.OffsetX) || !ReadNumber(reg, "OffsetY", form.OffsetY) ||
      !ReadNumber(reg, "Width", form.Width) || !ReadNumber(reg, "Height", form.Height) ||
      !ReadNumber(reg, "WidthHeightFix", form.WidthHeightFix)) {
    return QUOR_PRN_ERR_READ_FORM;
  }
  return QUOR_PRN_SUCCESS;
}

// Fills `color` with the shared default colours. Creating the "Default" key
// (rather than opening it) is deliberate: hosts that never shipped colours
// find an empty key to put them in.
void CQuorPrnSettingStore::_fillDefaultColors(CMeraRegKey& reg, QUOR_PRN_COLOR_INFO_TYPE& color) {
  color.ColorPrint = 0;
  color.Mode = 0;
  color.Palette.clear();
  color.Palette.shrink_to_fit();
  if (!reg.CreateKey(HKEY_LOCAL_MACHINE, _colorsKey("Default"))) return;
  _readPaletteValues(reg, color.Palette);
}

// ---------------------------------------------------------------------------
// Writing

int32_t CQuorPrnSettingStore::_writeCurrentPrinter(CMeraRegKey& reg) {
  if (!reg.CreateKey(HKEY_LOCAL_MACHINE, m_setKey) || !reg.SetText("CurrentPrinter", m_currentPrinter)) {
    return QUOR_PRN_ERR_WRITE_SET;
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::_writePrinter(CMeraRegKey& reg, const CQuorPrnRegPrinter& printer, bool withColors) {
  if (printer.Name.empty()) return QUOR_PRN_ERR_ARGUMENT;
  const std::string key = _printerKey(printer.Name);
  if (!reg.CreateKey(HKEY_LOCAL_MACHINE, key)) return QUOR_PRN_ERR_REG_KEY;
  if (!reg.SetNumber("OffsetX", printer.OffsetX) || !reg.SetNumber("OffsetY", printer.OffsetY) ||
      !reg.SetNumber("ScaleX", printer.ScaleX) || !reg.SetNumber("ScaleY", printer.ScaleY) ||
      !reg.SetNumber("ScaleFix", printer.ScaleFix)) {
    return QUOR_PRN_ERR_WRITE_PRINTER;
  }
  if (!withColors) return QUOR_PRN_SUCCESS;
  if (!reg.CreateKey(HKEY_LOCAL_MACHINE, key + "\\Colors")) return QUOR_PRN_ERR_REG_KEY;
  if (!reg.SetNumber("ColorPrint", printer.ColorPrint) || !reg.SetNumber("Mode", printer.ColorMode)) {
    return QUOR_PRN_ERR_WRITE_PRINTER;
  }
  // Only a custom palette belongs to the printer; presets and the defaults
  // are shared and never written from here.
  if (printer.ColorMode < 0) {
    for (const auto& entry : printer.ColorPalette) {
      if (entry && !reg.SetNumber(entry->Name, entry->Color)) return QUOR_PRN_ERR_WRITE_PRINTER;
    }
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::_writeForm(CMeraRegKey& reg, const std::string& storedPrinter,
                                         const QUOR_PRN_FORM_INFO_TYPE& form) {
  m_workKey = m_setKey + "\\" + ToKeyName(storedPrinter) + "\\Form\\" + form.FormName;
  if (!reg.CreateKey(HKEY_LOCAL_MACHINE, m_workKey)) return QUOR_PRN_ERR_REG_KEY;
  // A bin that reads as 0 means "none", which is stored as the empty text.
  const std::string bin = std::strtol(form.Bin.c_str(), nullptr, 10) != 0 ? form.Bin : std::string();
  if (!reg.SetText("Bin", bin) || !reg.SetText("PaperName", form.PaperName) ||
      !reg.SetText("PaperSize", form.PaperSize) || !reg.SetNumber("PaperSizeFit", form.PaperSizeFit) ||
      !reg.SetNumber("OffsetX", form.OffsetX) || !reg.SetNumber("OffsetY", form.OffsetY) ||
      !reg.SetNumber("Width", form.Width) || !reg.SetNumber("Height", form.Height) ||
      !reg.SetNumber("WidthHeightFix", form.WidthHeightFix)) {
    return QUOR_PRN_ERR_WRITE_FORM;
  }
  return QUOR_PRN_SUCCESS;
}

// ---------------------------------------------------------------------------
// An open printer set

int32_t CQuorPrnSettingStore::LoadPrinterSet(const char* system, const char* job, uint32_t setNo) {
  if (!_checkEntry(system, job, setNo)) return QUOR_PRN_ERR_ARGUMENT;
  _setBaseKey(system, job, setNo);
  m_printerSetFlag = 0;
  auto reg = MeraNewRegKey();
  const int32_t current = _readCurrentPrinter(*reg);
  if (current != QUOR_PRN_SUCCESS && current != QUOR_PRN_NO_PRINTER_SET && current != QUOR_PRN_NO_CURRENT_PRINTER) {
    return current;
  }
  m_printerSetFlag = 1;

  int32_t failure = QUOR_PRN_SUCCESS;
  std::vector<std::string> keyNames;
  const size_t firstNew = m_printers.size();
  if (!reg->OpenKey(HKEY_LOCAL_MACHINE, m_setKey, /*write=*/0)) {
    LastFailureWasAbsence();
    failure = QUOR_PRN_ERR_REG_KEY;
  } else if (!reg->EnumKeys(keyNames)) {
    failure = QUOR_PRN_ERR_READ_PRINTER;
  } else {
    for (const auto& keyName : keyNames) {
      auto printer = TryNew<CQuorPrnRegPrinter>(FromKeyName(keyName));
      if (!printer) {
        failure = QUOR_PRN_ERR_MEMORY;
        break;
      }
      m_printers.push_back(std::move(printer));
    }
  }
  if (failure == QUOR_PRN_SUCCESS) {
    for (size_t i = firstNew; i < m_printers.size(); ++i) {
      const int32_t r = _readPrinterKey(*reg, *m_printers[i]);
      // An unreadable printer keeps its defaults; the rest of the set loads.
      if (r != QUOR_PRN_SUCCESS && r != QUOR_PRN_NO_PRINTER_ENTRY) {
        failure = r;
        break;
      }
    }
  }
  return current != QUOR_PRN_SUCCESS ? current : failure;
}

int32_t CQuorPrnSettingStore::GetCurrentPrinter(std::string& printerName) {
  if (!_anyFlag()) return QUOR_PRN_ERR_STATE;
  printerName = CQuorPrnPrinterRedirectManager::GetRealPrinterName(m_currentPrinter.c_str());
  return m_currentPrinter.empty() ? QUOR_PRN_NO_CURRENT_PRINTER : QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::SetCurrentPrinter(const char* printerName) {
  m_currentPrinter = StoredName(printerName);
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::GetPrinter(QUOR_PRN_PRINTER_INFO_TYPE* printer, QUOR_PRN_COLOR_INFO_TYPE* color) {
  if (printer == nullptr || printer->PrinterName.empty()) return QUOR_PRN_ERR_ARGUMENT;
  if (!_anyFlag()) return QUOR_PRN_ERR_STATE;
  printer->OffsetX = 0;
  printer->OffsetY = 0;
  printer->ScaleX = 1000;
  printer->ScaleY = 1000;
  printer->ScaleFix = 1;
  if (color != nullptr) {
    auto reg = MeraNewRegKey();
    _fillDefaultColors(*reg, *color);
  }
  const std::string stored = StoredName(printer->PrinterName.c_str());
  for (const auto& listed : m_printers) {
    if (!listed || listed->Name != stored) continue;
    printer->OffsetX = listed->OffsetX;
    printer->OffsetY = listed->OffsetY;
    printer->ScaleX = listed->ScaleX;
    printer->ScaleY = listed->ScaleY;
    printer->ScaleFix = listed->ScaleFix;
    if (color == nullptr) continue;
    color->ColorPrint = listed->ColorPrint;
    color->Mode = listed->ColorMode;
    // Only colours the defaults know are passed on; the rest of the printer's
    // palette would name colour numbers the host does not use.
    for (auto& entry : color->Palette) {
      if (!entry) continue;
      for (const auto& own : listed->ColorPalette) {
        if (own && own->Name == entry->Name) {
          entry->Color = own->Color;
          break;
        }
      }
    }
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::SetPrinter(QUOR_PRN_PRINTER_INFO_TYPE printer, QUOR_PRN_COLOR_INFO_TYPE* color) {
  if (printer.PrinterName.empty()) return QUOR_PRN_ERR_ARGUMENT;
  if (m_printerSetFlag == 0) return QUOR_PRN_ERR_STATE;
  std::string stored = StoredName(printer.PrinterName.c_str());
  CQuorPrnRegPrinter* target = _findListed(stored);
  if (target == nullptr) {
    auto created = TryNew<CQuorPrnRegPrinter>();
    if (!created) return QUOR_PRN_ERR_MEMORY;
    target = created.get();
    m_printers.push_back(std::move(created));
  }
  target->Name = std::move(stored);
  target->OffsetX = printer.OffsetX;
  target->OffsetY = printer.OffsetY;
  target->ScaleX = printer.ScaleX;
  target->ScaleY = printer.ScaleY;
  target->ScaleFix = printer.ScaleFix;
  target->Modified = 1;
  if (color != nullptr) {
    target->ColorPrint = color->ColorPrint;
    target->ColorMode = color->Mode;
    CQuorPrnRegPrinter::CopyPalette(color->Palette, target->ColorPalette);
  }
  return QUOR_PRN_SUCCESS;
}

// All or nothing: a set written halfway would pair the new current printer
// with old values, or leave some printers changed and others not, while the
// caller is told that saving failed.
int32_t CQuorPrnSettingStore::SavePrinterSet() {
  if (m_printerSetFlag == 0) return QUOR_PRN_ERR_STATE;
  int32_t result = QUOR_PRN_SUCCESS;
  registry::RegError err;
  const bool kept = registry::Registry::Current()->Transaction(
      [&](registry::RegError*) {
        result = _writePrinterSet();
        return result == QUOR_PRN_SUCCESS;
      },
      &err);
  // A hive that could not start or commit the transaction wrote nothing.
  if (!kept && result == QUOR_PRN_SUCCESS) result = QUOR_PRN_ERR_WRITE_SET;
  return result;
}

int32_t CQuorPrnSettingStore::_writePrinterSet() {
  auto reg = MeraNewRegKey();
  const int32_t r = _writeCurrentPrinter(*reg);
  if (r != QUOR_PRN_SUCCESS) return r;
  bool anyModified = false;
  for (const auto& printer : m_printers) {
    if (printer && printer->Modified != 0) anyModified = true;
  }
  if (!anyModified) return QUOR_PRN_SUCCESS;
  // One changed printer rewrites the whole set, so that every listed printer
  // ends up with complete values even where older versions left gaps.
  for (const auto& printer : m_printers) {
    if (printer && _writePrinter(*reg, *printer, /*withColors=*/true) != QUOR_PRN_SUCCESS) {
      return QUOR_PRN_ERR_WRITE_PRINTER;
    }
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::ClosePrinterSet() {
  m_printerSetFlag = 0;
  _dropPrinters();
  return QUOR_PRN_SUCCESS;
}

// ---------------------------------------------------------------------------
// One-shot reads

int32_t CQuorPrnSettingStore::ReadCurrentPrinter(const char* system, const char* job, uint32_t setNo,
                                                 std::string& printerName) {
  if (!_checkEntry(system, job, setNo)) return QUOR_PRN_ERR_ARGUMENT;
  _setBaseKey(system, job, setNo);
  auto reg = MeraNewRegKey();
  const int32_t r = _readCurrentPrinter(*reg);
  if (r != QUOR_PRN_SUCCESS) return r;
  std::string real = CQuorPrnPrinterRedirectManager::GetRealPrinterName(m_currentPrinter.c_str());
  if (CPrnDoc::IsEnableXdwOutputPrint() != 0) {
    std::string xdw = CPrnDoc::GetXdwPrinterName();
    if (xdw != real) {
      m_currentPrinter = xdw;
      real = std::move(xdw);
    }
  }
  printerName = std::move(real);
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::ReadPrinter(const char* system, const char* job, uint32_t setNo,
                                          QUOR_PRN_PRINTER_INFO_TYPE* printer, QUOR_PRN_COLOR_INFO_TYPE* color) {
  if (!_checkEntry(system, job, setNo) || printer == nullptr || printer->PrinterName.empty()) {
    return QUOR_PRN_ERR_ARGUMENT;
  }
  _setBaseKey(system, job, setNo);
  // The set key comes from these arguments, not from whatever an earlier
  // operation on this store left behind.
  _setSetKey();
  CQuorPrnRegPrinter read(StoredName(printer->PrinterName.c_str()));
  int32_t r;
  {
    auto reg = MeraNewRegKey();
    r = _readPrinterKey(*reg, read);
  }
  printer->OffsetX = read.OffsetX;
  printer->OffsetY = read.OffsetY;
  printer->ScaleX = read.ScaleX;
  printer->ScaleY = read.ScaleY;
  printer->ScaleFix = read.ScaleFix;
  if (color != nullptr) {
    color->ColorPrint = read.ColorPrint;
    color->Mode = read.ColorMode;
    CQuorPrnRegPrinter::CopyPalette(read.ColorPalette, color->Palette);
  }
  return r;
}

// ---------------------------------------------------------------------------
// Colours

int32_t CQuorPrnSettingStore::GetColorNames(std::vector<std::string>& valueNames,
                                            std::vector<std::string>& displayNames) {
  valueNames.clear();
  displayNames.clear();
  if (m_baseKey.empty()) return QUOR_PRN_ERR_STATE;
  auto reg = MeraNewRegKey();
  if (!reg->OpenKey(HKEY_LOCAL_MACHINE, _colorsKey(nullptr), /*write=*/0)) {
    return LastFailureWasAbsence() ? QUOR_PRN_NO_COLOR_KEY : QUOR_PRN_ERR_REG_KEY;
  }
  for (int n = 1; n <= kMaxColor; ++n) {
    std::string name = Numbered("C%03dName", n);
    std::string text;
    if (reg->GetText(name, text)) {
      valueNames.push_back(std::move(name));
      displayNames.push_back(std::move(text));
    } else {
      LastFailureWasAbsence();
    }
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::GetColorPreset(int32_t presetNo, Palette& palette, std::string& name) {
  palette.clear();
  if (presetNo < 0 || presetNo > kMaxPreset) return QUOR_PRN_ERR_ARGUMENT;
  if (m_baseKey.empty()) return QUOR_PRN_ERR_STATE;
  auto reg = MeraNewRegKey();
  const std::string key = presetNo == 0 ? _colorsKey("Default") : _presetKey(presetNo);
  if (!reg->OpenKey(HKEY_LOCAL_MACHINE, key, /*write=*/0)) {
    return LastFailureWasAbsence() ? QUOR_PRN_NO_COLOR_KEY : QUOR_PRN_ERR_REG_KEY;
  }
  _readPaletteValues(*reg, palette);
  name.clear();
  if (presetNo != 0) {
    std::string text;
    if (reg->GetText("Name", text)) {
      name = std::move(text);
    } else {
      LastFailureWasAbsence();
    }
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::GetColorPresetNames(std::vector<std::string>& names) {
  names.clear();
  if (m_baseKey.empty()) return QUOR_PRN_ERR_STATE;
  auto reg = MeraNewRegKey();
  for (int n = 1; n <= kMaxPreset; ++n) {
    if (!reg->OpenKey(HKEY_LOCAL_MACHINE, _presetKey(n), /*write=*/0)) {
      // Presets are numbered without gaps: the first missing one ends the list.
      return LastFailureWasAbsence() ? QUOR_PRN_SUCCESS : QUOR_PRN_ERR_REG_KEY;
    }
    std::string text;
    if (reg->GetText("Name", text)) {
      names.push_back(std::move(text));
    } else {
      LastFailureWasAbsence();
    }
  }
  return QUOR_PRN_SUCCESS;
}

// ---------------------------------------------------------------------------
// An open form

int32_t CQuorPrnSettingStore::SelectPrinter(const char* system, const char* job, uint32_t setNo,
                                            const char* printerName) {
  if (!_checkEntry(system, job, setNo) || Empty(printerName)) return QUOR_PRN_ERR_ARGUMENT;
  _setBaseKey(system, job, setNo);
  SetCurrentPrinter(printerName);
  _setSetKey();
  auto reg = MeraNewRegKey();
  return _writeCurrentPrinter(*reg);
}

int32_t CQuorPrnSettingStore::LoadForm(const char* system, const char* job, uint32_t setNo, const char* formName) {
  if (!_checkEntry(system, job, setNo) || Empty(formName)) return QUOR_PRN_ERR_ARGUMENT;
  _setBaseKey(system, job, setNo);
  m_formName = formName;
  m_formFlag = 0;
  auto printer = TryNew<CQuorPrnRegPrinter>(m_currentPrinter);
  if (!printer) return QUOR_PRN_ERR_MEMORY;
  _setSetKey();
  auto reg = MeraNewRegKey();
  const int32_t r = _readPrinterKey(*reg, *printer);
  if (r != QUOR_PRN_SUCCESS && r != QUOR_PRN_NO_PRINTER_ENTRY) return r;
  auto form = TryNew<CQuorPrnRegForm>(m_formName);
  if (!form) return QUOR_PRN_ERR_MEMORY;
  // A printer without a key has no forms to read.
  int32_t f = QUOR_PRN_SUCCESS;
  if (r == QUOR_PRN_SUCCESS) {
    f = _readForm(*reg, *form);
    if (f != QUOR_PRN_SUCCESS && f != QUOR_PRN_NO_FORM_ENTRY) return QUOR_PRN_ERR_READ_FORM;
  }
  printer->Forms.push_back(std::move(form));
  m_printers.push_back(std::move(printer));
  m_formFlag = 1;
  return f == QUOR_PRN_NO_FORM_ENTRY ? f : r;
}

int32_t CQuorPrnSettingStore::GetForm(QUOR_PRN_FORM_INFO_TYPE* form) {
  if (form == nullptr) return QUOR_PRN_ERR_ARGUMENT;
  form->PaperSize.clear();
  form->Bin.clear();
  form->PaperSizeFit = 1;
  form->OffsetX = 0;
  form->OffsetY = 0;
  form->Width = 0;
  form->Height = 0;
  form->WidthHeightFix = 0;
  if (form->FormName.empty()) return QUOR_PRN_ERR_ARGUMENT;
  if (!_anyFlag()) return QUOR_PRN_ERR_STATE;
  if (m_printers.empty()) return QUOR_PRN_NO_PRINTER_ENTRY;
  const CQuorPrnRegPrinter* first = m_printers.front().get();
  if (first == nullptr) return QUOR_PRN_ERR_STATE;
  if (!first->Forms.empty() && first->Forms.front()) first->Forms.front()->CopyTo(*form);
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::SetForm(QUOR_PRN_FORM_INFO_TYPE form) {
  if (form.FormName.empty()) return QUOR_PRN_ERR_ARGUMENT;
  if (m_formFlag == 0) return QUOR_PRN_ERR_STATE;
  if (m_printers.empty() || !m_printers.front()) {
    auto created = TryNew<CQuorPrnRegPrinter>();
    if (!created) return QUOR_PRN_ERR_MEMORY;
    if (m_printers.empty()) {
      m_printers.push_back(std::move(created));
    } else {
      m_printers.front() = std::move(created);
    }
  }
  CQuorPrnRegPrinter& printer = *m_printers.front();
  if (printer.Forms.empty() || !printer.Forms.front()) {
    auto created = TryNew<CQuorPrnRegForm>(form.FormName);
    if (!created) return QUOR_PRN_ERR_MEMORY;
    if (printer.Forms.empty()) {
      printer.Forms.push_back(std::move(created));
    } else {
      printer.Forms.front() = std::move(created);
    }
  }
  printer.Forms.front()->TakeValuesFrom(form);
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::SaveForm() {
  if (m_formFlag == 0) return QUOR_PRN_ERR_STATE;
  if (m_printers.empty() || !m_printers.front()) return QUOR_PRN_ERR_STATE;
  const CQuorPrnRegPrinter& printer = *m_printers.front();
  if (printer.Forms.empty() || !printer.Forms.front()) return QUOR_PRN_ERR_STATE;
  QUOR_PRN_FORM_INFO_TYPE record;
  printer.Forms.front()->CopyTo(record);
  auto reg = MeraNewRegKey();
  return _writeForm(*reg, m_currentPrinter, record) == QUOR_PRN_SUCCESS ? QUOR_PRN_SUCCESS : QUOR_PRN_ERR_WRITE_FORM;
}

int32_t CQuorPrnSettingStore::CloseForm() {
  if (m_formFlag == 0) return QUOR_PRN_ERR_STATE;
  _dropPrinters();
  m_formFlag = 0;
  return QUOR_PRN_SUCCESS;
}

// ---------------------------------------------------------------------------
// Several writes as one

int32_t CQuorPrnSettingStore::RunAtomically(const std::function<int32_t()>& steps) {
  int32_t result = QUOR_PRN_SUCCESS;
  const int kept = MeraRegRunAtomically([&] {
    result = steps();
    return result == QUOR_PRN_SUCCESS ? 1 : 0;
  });
  if (result != QUOR_PRN_SUCCESS) return result;
  if (kept) return QUOR_PRN_SUCCESS;
  MeraLastErrorCode(/*report=*/true);
  return QUOR_PRN_ERR_REG_KEY;
}

// ---------------------------------------------------------------------------
// One-shot create and delete

int32_t CQuorPrnSettingStore::RegCreatePrinterSet(const char* system, const char* job, uint32_t setNo) {
  if (!_checkEntry(system, job, setNo)) return QUOR_PRN_ERR_ARGUMENT;
  if (_anyFlag()) return QUOR_PRN_ERR_STATE;
  _setBaseKey(system, job, setNo);
  _setSetKey();
  auto reg = MeraNewRegKey();
  return reg->CreateKey(HKEY_LOCAL_MACHINE, m_setKey) ? QUOR_PRN_SUCCESS : QUOR_PRN_ERR_CREATE_SET;
}

int32_t CQuorPrnSettingStore::RegCreatePrinter(const char* system, const char* job, uint32_t setNo,
                                               QUOR_PRN_PRINTER_INFO_TYPE printer, QUOR_PRN_COLOR_INFO_TYPE* color) {
  if (!_checkEntry(system, job, setNo)) return QUOR_PRN_ERR_ARGUMENT;
  if (_anyFlag()) return QUOR_PRN_ERR_STATE;
  _setBaseKey(system, job, setNo);
  if (printer.PrinterName.empty()) return QUOR_PRN_ERR_ARGUMENT;
  CQuorPrnRegPrinter write(StoredName(printer.PrinterName.c_str()));
  write.OffsetX = printer.OffsetX;
  write.OffsetY = printer.OffsetY;
  write.ScaleX = printer.ScaleX;
  write.ScaleY = printer.ScaleY;
  write.ScaleFix = printer.ScaleFix;
  if (color != nullptr) {
    write.ColorPrint = color->ColorPrint;
    write.ColorMode = color->Mode;
    CQuorPrnRegPrinter::CopyPalette(color->Palette, write.ColorPalette);
  }
  auto reg = MeraNewRegKey();
  return _writePrinter(*reg, write, color != nullptr) == QUOR_PRN_SUCCESS ? QUOR_PRN_SUCCESS
                                                                          : QUOR_PRN_ERR_WRITE_PRINTER;
}

int32_t CQuorPrnSettingStore::RegCreateForm(const char* system, const char* job, uint32_t setNo,
                                            const char* printerName, QUOR_PRN_FORM_INFO_TYPE form) {
  if (!_checkEntry(system, job, setNo) || Empty(printerName) || form.FormName.empty()) {
    return QUOR_PRN_ERR_ARGUMENT;
  }
  _setBaseKey(system, job, setNo);
  _setSetKey();
  if (_anyFlag()) return QUOR_PRN_ERR_STATE;
  const std::string stored = StoredName(printerName);
  auto reg = MeraNewRegKey();
  return _writeForm(*reg, stored, form) == QUOR_PRN_SUCCESS ? QUOR_PRN_SUCCESS : QUOR_PRN_ERR_WRITE_FORM;
}

// Lists the set's printers with the names of their forms; no values are read.
// The list replaces whatever an earlier one-shot operation left, so that a
// second delete on the same store never matches a printer that is gone.
int32_t CQuorPrnSettingStore::_listPrinters(CMeraRegKey& reg) {
  _dropPrinters();
  std::vector<std::string> keyNames;
  if (!reg.OpenKey(HKEY_LOCAL_MACHINE, m_setKey, /*write=*/0)) {
    if (LastFailureWasAbsence()) return QUOR_PRN_SUCCESS;
    return QUOR_PRN_ERR_READ_PRINTER;
  }
  if (!reg.EnumKeys(keyNames)) return QUOR_PRN_ERR_READ_PRINTER;
  for (const auto& keyName : keyNames) {
    auto printer = TryNew<CQuorPrnRegPrinter>(FromKeyName(keyName));
    if (!printer) return QUOR_PRN_ERR_MEMORY;
    m_workKey = m_setKey + "\\" + keyName + "\\Form";
    std::vector<std::string> formNames;
    if (!reg.OpenKey(HKEY_LOCAL_MACHINE, m_workKey, /*write=*/0)) {
      if (!LastFailureWasAbsence()) return QUOR_PRN_ERR_READ_FORM;
    } else if (!reg.EnumKeys(formNames)) {
      return QUOR_PRN_ERR_READ_FORM;
    }
    for (const auto& formName : formNames) {
      // A form that cannot be allocated is left off; the printer still lists.
      auto form = TryNew<CQuorPrnRegForm>(formName);
      if (form) printer->Forms.push_back(std::move(form));
    }
    m_printers.push_back(std::move(printer));
  }
  return QUOR_PRN_SUCCESS;
}

// The key path is built at whatever length the stored name has.
int32_t CQuorPrnSettingStore::_deletePrinterKeys(CMeraRegKey& reg, const CQuorPrnRegPrinter& printer) {
  const std::string key = m_setKey + "\\" + ToKeyName(printer.Name);
  for (const auto& form : printer.Forms) {
    if (form && !reg.DeleteKey(HKEY_LOCAL_MACHINE, key + "\\Form\\" + form->FormName, 0)) {
      return QUOR_PRN_ERR_REG_DELETE;
    }
  }
  if (!reg.DeleteKey(HKEY_LOCAL_MACHINE, key + "\\Form", 0) ||
      !reg.DeleteKey(HKEY_LOCAL_MACHINE, key + "\\Colors", 0) || !reg.DeleteKey(HKEY_LOCAL_MACHINE, key, 0)) {
    return QUOR_PRN_ERR_REG_DELETE;
  }
  return QUOR_PRN_SUCCESS;
}

int32_t CQuorPrnSettingStore::RegDeletePrinterSet(const char* system, const char* job, uint32_t setNo) {
  if (!_checkEntry(system, job, setNo)) return QUOR_PRN_ERR_ARGUMENT;
  _setBaseKey(system, job, setNo);
  _setSetKey();
  if (_anyFlag()) return QUOR_PRN_ERR_STATE;
  auto reg = MeraNewRegKey();
  int32_t r = _listPrinters(*reg);
  if (r != QUOR_PRN_SUCCESS) return r;
  for (const auto& printer : m_printers) {
    r = _deletePrinterKeys(*reg, *printer);
    if (r != QUOR_PRN_SUCCESS) return r;
  }
  return reg->DeleteKey(HKEY_LOCAL_MACHINE, m_setKey, 0) ? QUOR_PRN_SUCCESS : QUOR_PRN_ERR_REG_DELETE;
}

int32_t CQuorPrnSettingStore::RegDeletePrinter(const char* system, const char* job, uint32_t setNo,
                                               const char* printerName) {
  if (!_checkEntry(system, job, setNo) || Empty(printerName)) return QUOR_PRN_ERR_ARGUMENT;
  _setBaseKey(system, job, setNo);
  _setSetKey();
  if (_anyFlag()) return QUOR_PRN_ERR_STATE;
  auto reg = MeraNewRegKey();
  const int32_t r = _listPrinters(*reg);
  if (r != QUOR_PRN_SUCCESS) return r;
  const CQuorPrnRegPrinter* printer = _findListed(StoredName(printerName));
  if (printer == nullptr) return QUOR_PRN_NO_PRINTER_ENTRY;
  return _deletePrinterKeys(*reg, *printer);
}

// The shared first steps of deleting and clearing a form: checks, listing and
// finding the stored form. On 1 `formKey` names the form's key.
int32_t CQuorPrnSettingStore::_findStoredForm(CMeraRegKey& reg, const char* printerName, const char* formName,
                                              std::string& formKey) {
  const int32_t r = _listPrinters(reg);
  if (r != QUOR_PRN_SUCCESS) return r;
  const CQuorPrnRegPrinter* printer = _findListed(StoredName(printerName));
  if (printer == nullptr) return QUOR_PRN_NO_PRINTER_ENTRY;
  for (const auto& form : printer->Forms) {
    if (form && form->FormName == formName) {
      formKey = m_setKey + "\\" + ToKeyName(printer->Name) + "\\Form\\" + form->FormName;
      return QUOR_PRN_SUCCESS;
    }
  }
  return QUOR_PRN_NO_FORM_ENTRY;
}

// The shared first steps of deleting a form and clearing its bin: entry
// checks, the set key, and the stored form's key path.
int32_t CQuorPrnSettingStore::_locateStoredForm(const char* system, const char* job, uint32_t setNo,
                                                const char* printerName, const char* formName,
                                                MeraPtr<CMeraRegKey>& reg, std::string& formKey) {
  if (!_checkEntry(system, job, setNo) || Empty(printerName) || Empty(formName)) return QUOR_PRN_ERR_ARGUMENT;
  _setBaseKey(system, job, setNo);
  _setSetKey();
  if (_anyFlag()) return QUOR_PRN_ERR_STATE;
  reg = MeraNewRegKey();
  return _findStoredForm(*reg, printerName, formName, formKey);
}

int32_t CQuorPrnSettingStore::RegDeleteForm(const char* system, const char* job, uint32_t setNo,
                                            const char* printerName, const char* formName) {
  MeraPtr<CMeraRegKey> reg;
  std::string formKey;
  const int32_t r = _locateStoredForm(system, job, setNo, printerName, formName, reg, formKey);
  if (r != QUOR_PRN_SUCCESS) return r;
  return reg->DeleteKey(HKEY_LOCAL_MACHINE, formKey, 0) ? QUOR_PRN_SUCCESS : QUOR_PRN_ERR_REG_DELETE;
}

int32_t CQuorPrnSettingStore::ClearFormBin(const char* system, const char* job, uint32_t setNo,
                                           const char* printerName, const char* formName) {
  MeraPtr<CMeraRegKey> reg;
  std::string formKey;
  const int32_t r = _locateStoredForm(system, job, setNo, printerName, formName, reg, formKey);
  if (r != QUOR_PRN_SUCCESS) return r;
  if (!reg->OpenKey(HKEY_LOCAL_MACHINE, formKey, /*write=*/1)) {
    LastFailureWasAbsence();
    return QUOR_PRN_ERR_REG_KEY;
  }
  return reg->SetText("Bin", "") ? QUOR_PRN_SUCCESS : QUOR_PRN_ERR_REG_DELETE;
}
