// The form dialog (template 31650): how one form prints on the current
// printer of a printer set - paper size (or the printer's own), fit to paper,
// paper source, offsets, and the change of the printed width and height. It
// starts from what the settings lookup answers for the form, lists the papers
// and bins the printer reports, and writes the form's entry through its own
// settings store on confirm, never before: cancelling leaves the registry as
// it was. Owns its store; talks to the lookup, the printer list, the store and
// the spooler's capability queries, never to a backend. Runs modally on the
// host's GUI thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/CQuorPrnNumEdit.h"
#include "dialogs/CQuorPrnSpinCtrl.h"
#include "dialogs/IQuorPrnHeightOwner.h"
#include "platform/ui/CYbDialog.h"
#include "quorprn/QuorPrnRecords.h"

class CQuorPrnSettingStore;
class CYbComboBox;

class CQuorPrnFormDlg : public CYbDialog, public IQuorPrnHeightOwner {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 31650;
  enum ControlId : int {
    IDC_FORM_PAPERSIZE = 31651,
    IDC_FORM_PAPERSIZEFIT = 31652,
    IDC_FORM_BIN = 31653,
    IDC_FORM_OFFSETX = 31654,
    IDC_FORM_OFFSETX_SPIN = 31655,
    IDC_FORM_OFFSETY = 31656,
    IDC_FORM_OFFSETY_SPIN = 31657,
    IDC_FORM_WIDTH = 31658,
    IDC_FORM_WIDTH_SPIN = 31659,
    IDC_FORM_HEIGHT = 31660,
    IDC_FORM_HEIGHT_SPIN = 31661,
    IDC_FORM_FORMNAME = 31662,
    IDC_FORM_PORTRAIT = 31663,
    IDC_FORM_LANDSCAPE = 31664,
    IDC_STATIC_001 = 31701,  // ... to IDC_STATIC_013 = 31713
    IDC_STATIC_013 = 31713,
  };

  explicit CQuorPrnFormDlg(QWidget* parent = nullptr);
  // Closes the form the store holds open.
  ~CQuorPrnFormDlg() override;

  // The open operation: Prepare, then the dialog modally. Names are
  // NUL-terminated code page 932 texts (formTitle may be null). Answers 1
  // confirmed, 2 cancelled, or, with no dialog shown, Prepare's failure or
  // what the dialog framework answered (114: no display). A failure is also
  // the result value.
  int32_t Open(const char* system, const char* job, uint32_t setNo, const char* formName, const char* formFile,
               const char* formTitle, int32_t standardPapersOnly, uint32_t helpId);
  // Everything before the dialog shows: the lookup's answer for the form,
  // the printer's papers and bins, the form opened in the store. Shows the
  // busy cursor meanwhile; may block on the spooler. 1, or 150 (no default
  // printer), 130 (the form's template), 113 (the printer's paper or bin
  // list), a store code of opening the form (other than 142, 143).
  int32_t Prepare(const char* system, const char* job, uint32_t setNo, const char* formName, const char* formFile,
                  const char* formTitle, int32_t standardPapersOnly, uint32_t helpId);
  // 1 until Open fails before the dialog shows.
  int32_t GetResult() const { return m_result; }

  // The height change that keeps the paper's aspect for a width change of
  // `widthTenths`; leaves the height alone while the paper's width is not
  // known.
  void RecalcHeight(int32_t widthTenths) override;

  int NotifyFunctionEvent(int key) override;
  int NotifyConfirmEvent() override;
  int NotifyCancelEvent() override;
  int NotifyTabEvent(int id, int code) override;
  int NotifyMaxTextEvent(int id) override;
  uint32_t NotifyHelpPreEvent(int id) override;

  // What the printer reported, as listed (tests and the gallery look).
  const std::vector<uint16_t>& PaperNumbers() const { return m_paperNumbers; }
  const std::vector<std::string>& PaperNames() const { return m_paperNames; }
  const std::vector<uint16_t>& BinNumbers() const { return m_binNumbers; }
  const std::vector<std::string>& BinNames() const { return m_binNames; }

 protected:
  bool OnInitDialog() override;

 private:
  int32_t _fail(int32_t code);
  int32_t _readPaperList();
  int32_t _readBinList();
  void _fillPaperList();
  void _fillBinList();
  int _findPaper(int32_t paperNo) const;
  int _findBin(int32_t binNo) const;
  void _loadValues();
  void _applyLink();
  void _setPaperSize();
  void _onPaperSelected(int index);
  void _onWidthLeft();
  int _normalize(int id);
  void _reset();
  void _recalcFromWidth();
  int32_t _save();
  int32_t _writeConfirmed();
  CYbComboBox* _paperList() const;
  CYbComboBox* _binList() const;

  std::string m_system;
  std::string m_job;
  std::unique_ptr<CQuorPrnSettingStore> m_store;
  uint32_t m_setNo = 0;
  std::string m_formName;
  std::string m_formTitle;

  int32_t m_selPaperNo = -1;
  std::string m_selPaperName;

  // The entry as loaded, for telling whether confirm changes anything.
  std::string m_loadFormName;
  std::string m_loadPaperSize;
  std::string m_loadPaperName;
  std::string m_loadBin;
  std::string m_loadStoredBin;  // the "Bin" text as stored, "" when none
  int32_t m_loadFit = 1;
  int32_t m_loadOffsetX = 0;
  int32_t m_loadOffsetY = 0;
  int32_t m_loadWidth = 0;
  int32_t m_loadHeight = 0;
  int32_t m_loadLink = 0;

  int32_t m_formsWritten = 0;
  int32_t m_binFollowsPrinter = 0;
  int32_t m_selBinNo = 0;

  // The paper the height follows, once the user picks one; 0 = not known.
  int32_t m_curPaperNo = -1;
  int32_t m_paperWidth = 0;
  int32_t m_paperLength = 0;

  std::vector<uint16_t> m_paperNumbers;
  std::vector<std::string> m_paperNames;
  int32_t m_defaultPaperPos = -1;

  int32_t m_standardOnly = 0;
  int32_t m_formPaperNo = 9;  // the template's paper (GetPaperSize)
  int32_t m_orientation = 1;
  int32_t m_formPaperWidth = 0;
  int32_t m_formPaperLength = 0;
  uint32_t m_helpId = 0;

  QUOR_PRN_PRINTER_INFO_TYPE m_printer;
  QUOR_PRN_FORM_INFO_TYPE m_form;

  std::vector<uint16_t> m_binNumbers;
  std::vector<std::string> m_binNames;

  int32_t m_result = 1;

  CQuorPrnNumEdit m_offsetX;
  CQuorPrnSpinCtrl m_offsetXSpin;
  CQuorPrnNumEdit m_offsetY;
  CQuorPrnSpinCtrl m_offsetYSpin;
  CQuorPrnNumEdit m_width;
  CQuorPrnSpinCtrl m_widthSpin;
  CQuorPrnNumEdit m_height;
  CQuorPrnSpinCtrl m_heightSpin;
  int32_t m_fitCheck = 1;
  int32_t m_link = 0;
};
