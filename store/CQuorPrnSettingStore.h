// The settings store: the one object through which the library reads and
// writes printer sets, printers, colours and forms in the settings hive under
// "SOFTWARE\Olvanet\Sarvo\SYSTEM\JOB\Print". A store is a short-lived working
// object: each user makes one, runs one sequence of operations and destroys
// it. It owns the printer objects it read or was given (with their forms and
// palettes); it keeps no registry object between operations and caches
// nothing across stores. It reaches the registry only through the registry
// component, and names printers only by their stored names (the redirect name
// of a redirected printer, see CQuorPrnPrinterRedirectManager).
//
// Every operation answers a code of QuorPrnResult.h and throws nothing for an
// ordinary failure. Names are NUL-terminated code page 932 texts; an operation
// that takes (system, job, set number) answers 110 for an empty system or job
// (first character NUL) or a set number above 99, and changes nothing then.
// Absent keys and values are silent; every other read failure is reported once
// through the registry component's error report.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/merabase/CMeraBaseClass.h"
#include "quorprn/QuorPrnRecords.h"
#include "quorprn/QuorPrnResult.h"
#include "store/CQuorPrnRegForm.h"
#include "store/CQuorPrnRegPrinter.h"

class CMeraRegKey;

class CQuorPrnSettingStore {
 public:
  using Palette = std::vector<std::unique_ptr<MERA_PRN_COLOR_PALETTE_TYPE>>;

  CQuorPrnSettingStore();
  ~CQuorPrnSettingStore();
  CQuorPrnSettingStore(const CQuorPrnSettingStore&) = delete;
  CQuorPrnSettingStore& operator=(const CQuorPrnSettingStore&) = delete;

  // ---- An open printer set (the printer dialogs) ----

  // Opens the set: reads its current printer and every stored printer with
  // its values and colours. 1, 140 (no set), 141 (no current printer) leave
  // the set open, as do 111, 120, 162 (list incomplete); 110, 160, 161 leave
  // nothing open.
  int32_t LoadPrinterSet(const char* system, const char* job, uint32_t setNo);
  // The installed name of the current printer. 1; 141 when there is none
  // (`printerName` then empty); 112 when neither a set nor a form is open.
  int32_t GetCurrentPrinter(std::string& printerName);
  // Makes the printer (given by its installed name) current, in memory. 1.
  int32_t SetCurrentPrinter(const char* printerName);
  // Fills `printer` (in: PrinterName) with the values of that printer in the
  // open set, or the defaults when it is not there, and `color` (may be null)
  // with the default colours overlaid by the printer's. 1, 110 (null record
  // or empty name), 112.
  int32_t GetPrinter(QUOR_PRN_PRINTER_INFO_TYPE* printer, QUOR_PRN_COLOR_INFO_TYPE* color);
  // Puts the printer's values (and colours, when `color` is given; the store
  // copies the entries) into the open set, in memory. 1, 110, 111, 112.
  int32_t SetPrinter(QUOR_PRN_PRINTER_INFO_TYPE printer, QUOR_PRN_COLOR_INFO_TYPE* color);
  // Writes "CurrentPrinter" and, when any printer was set, every printer of
  // the set with its colours, as one unit: on failure nothing of it is
  // written. 1, 112, 171, 172.
  int32_t SavePrinterSet();
  // Closes the set and drops every printer object. 1.
  int32_t ClosePrinterSet();

  // ---- One-shot reads (the settings lookup) ----

  // The installed name of the set's current printer, or the DocuWorks
  // printer while DocuWorks output is on. 1, 110, 140, 141, 160, 161;
  // `printerName` is untouched unless the result is 1.
  int32_t ReadCurrentPrinter(const char* system, const char* job, uint32_t setNo, std::string& printerName);
  // Reads one printer's values and colours into the records (`color` may be
  // null); the record's name stays as given. 1, 110, 142 (not stored or not
  // readable; defaults come back), 162.
  int32_t ReadPrinter(const char* system, const char* job, uint32_t setNo, QUOR_PRN_PRINTER_INFO_TYPE* printer,
                      QUOR_PRN_COLOR_INFO_TYPE* color);

  // ---- Colours ----
  // They read below the system and job that an earlier operation on this
  // store named; before any did, they answer 112.

  // The colour names: parallel arrays of value names ("C001Name") and display
  // names. 1, 180 (no colour key), 120.
  int32_t GetColorNames(std::vector<std::string>& valueNames, std::vector<std::string>& displayNames);
  // Preset `presetNo` (0: the default palette) into `palette` (emptied first,
  // entries owned by the caller's vector) and its display name. 1, 110 (not
  // 0 to 99), 180 (key absent), 120.
  int32_t GetColorPreset(int32_t presetNo, Palette& palette, std::string& name);
  // The display names of Preset01 onwards, up to the first missing preset.
  // 1, 120.
  int32_t GetColorPresetNames(std::vector<std::string>& names);

  // ---- An open form (the lookup and the form dialog) ----

  // Makes the printer current and writes it as the set's "CurrentPrinter".
  // 1, 110, 171.
  int32_t SelectPrinter(const char* system, const char* job, uint32_t setNo, const char* printerName);
  // Opens the form of the current printer (set before by SetCurrentPrinter or
  // SelectPrinter). 1, 142 (printer not stored), 143 (form not stored) leave
  // the form open; 110, 111, 162, 163 leave nothing open.
  int32_t LoadForm(const char* system, const char* job, uint32_t setNo, const char* formName);
  // Fills `form` (in: FormName) from the open form. 1, 110, 112, 142.
  int32_t GetForm(QUOR_PRN_FORM_INFO_TYPE* form);
  // Puts the record's values into the open form, in memory. 1, 110, 112.
  int32_t SetForm(QUOR_PRN_FORM_INFO_TYPE form);
  // Writes the open form for the current printer. 1, 112, 173.
  int32_t SaveForm();
  // Closes the form and drops every printer object. 1, 112 (none open).
  int32_t CloseForm();

  // ---- One-shot create and delete (the exported fronts, the form dialog) ----
  // Each answers 112 on a store with a set or a form open.

  // Creates the set's key only. 1, 110, 112, 170.
  int32_t RegCreatePrinterSet(const char* system, const char* job, uint32_t setNo);
  // Writes one printer's values (and colours when `color` is given) under its
  // stored name; "CurrentPrinter" is not touched. 1, 110, 112, 172.
  int32_t RegCreatePrinter(const char* system, const char* job, uint32_t setNo, QUOR_PRN_PRINTER_INFO_TYPE printer,
                           QUOR_PRN_COLOR_INFO_TYPE* color);
  // Writes one form of the printer, creating every missing key above it.
  // 1, 110, 112, 173.
  int32_t RegCreateForm(const char* system, const char* job, uint32_t setNo, const char* printerName,
                        QUOR_PRN_FORM_INFO_TYPE form);
  // Deletes the set with all its printers and forms. Stops at the first failed
  // deletion; what was deleted before stays deleted. 1, 110, 111, 112, 122,
  // 162, 163.
  int32_t RegDeletePrinterSet(const char* system, const char* job, uint32_t setNo);
  // Deletes one printer with its forms and colours. 1, 110, 111, 112, 122,
  // 142 (not stored), 162, 163.
  int32_t RegDeletePrinter(const char* system, const char* job, uint32_t setNo, const char* printerName);
  // Deletes one form of the printer. 1, 110, 111, 112, 122, 142, 143, 162, 163.
  int32_t RegDeleteForm(const char* system, const char* job, uint32_t setNo, const char* printerName,
                        const char* formName);
  // Empties the stored form's "Bin" so that the printer's own paper source
  // applies; the other values stay. 1, 110, 111, 112, 120, 122, 142, 143, 162,
  // 163.
  int32_t ClearFormBin(const char* system, const char* job, uint32_t setNo, const char* printerName,
                       const char* formName);

  // ---- Names ----

  // A printer's registry key name: every byte '\' becomes ',' (and back).
  static std::string ToKeyName(const std::string& printerName);
  static std::string FromKeyName(const std::string& keyName);
  // The name the store writes for an installed printer: its redirect name when
  // it is a listed redirected printer, else the name itself.
  static std::string StoredName(const char* printerName);

  // ---- State, for the dialogs and tests ----
  bool IsPrinterSetOpen() const { return m_printerSetFlag != 0; }
  bool IsFormOpen() const { return m_formFlag != 0; }
  const std::vector<std::unique_ptr<CQuorPrnRegPrinter>>& Printers() const { return m_printers; }
  const std::string& CurrentStoredPrinter() const { return m_currentPrinter; }

 private:
  bool _checkEntry(const char* system, const char* job, uint32_t setNo) const;
  void _setBaseKey(const char* system, const char* job, uint32_t setNo);
  void _setSetKey();
  bool _anyFlag() const { return m_printerSetFlag != 0 || m_formFlag != 0; }
  void _dropPrinters();

  int32_t _readCurrentPrinter(CMeraRegKey& reg);
  int32_t _readPrinterKey(CMeraRegKey& reg, CQuorPrnRegPrinter& printer);
  int32_t _readColors(CMeraRegKey& reg, CQuorPrnRegPrinter& printer);
  int32_t _writeCurrentPrinter(CMeraRegKey& reg);
  int32_t _writePrinterSet();
  int32_t _writePrinter(CMeraRegKey& reg, const CQuorPrnRegPrinter& printer, bool withColors);
  int32_t _readForm(CMeraRegKey& reg, CQuorPrnRegForm& form);
  int32_t _writeForm(CMeraRegKey& reg, const std::string& storedPrinter, const QUOR_PRN_FORM_INFO_TYPE& form);
  int32_t _listPrinters(CMeraRegKey& reg);
  int32_t _deletePrinterKeys(CMeraRegKey& reg, const CQuorPrnRegPrinter& printer);
  CQuorPrnRegPrinter* _findListed(const std::string& storedName) const;
  int32_t _locateStoredForm(const char* system, const char* job, uint32_t setNo, const char* printerName,
                            const char* formName, MeraPtr<CMeraRegKey>& reg, std::string& formKey);
  int32_t _findStoredForm(CMeraRegKey& reg, const char* printerName, const char* formName,
                          std::string& formKey);
  void _fillDefaultColors(CMeraRegKey& reg, QUOR_PRN_COLOR_INFO_TYPE& color);
  static void _readPaletteValues(CMeraRegKey& reg, Palette& palette);
  std::string _colorsKey(const char* leaf) const;
  std::string _presetKey(int32_t presetNo) const;
  std::string _printerKey(const std::string& storedName) const;

  std::string m_baseKey;
  uint32_t m_setNo = 0;
  std::string m_currentPrinter;  // stored name
  std::vector<std::unique_ptr<CQuorPrnRegPrinter>> m_printers;
  std::string m_setKey;
  std::string m_workKey;
  int32_t m_printerSetFlag = 0;
  int32_t m_formFlag = 0;
  std::string m_formName;
};
