// What both colour dialogs do: show one printer's colour mode (automatic,
// a printer model's preset, or a custom palette) and let the user pick the
// mode, the model and, for a custom palette, each colour item's red, green
// and blue. Works on the caller's settings store, which it does not own, and
// changes only the store's in-memory set: the printer dialog that opened it
// writes the set to the registry. The two derived dialogs differ only in
// their template, their control ids and whether a model can be chosen; they
// never talk to a backend.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/CYbDialog.h"
#include "platform/ui/DialogTemplate.h"
#include "quorprn/QuorPrnRecords.h"
#include "store/CQuorPrnSettingStore.h"

class CYbColorBox;
class CYbComboBox;
class CYbSliderCtrl;

class CQuorPrnColorDlgBase : public CYbDialog {
  Q_OBJECT
 public:
  using Palette = CQuorPrnSettingStore::Palette;

  // The ids of a dialog's twelve controls; 0 for one the dialog lacks (the
  // second dialog has no model radio and no model list).
  struct ControlIds {
    int autoRadio, modelRadio, customRadio, modelList, patternList;
    int red, green, blue;
    int redValue, greenValue, blueValue;
    int preview;
  };

  // The labels and groups of both templates; only their texts are looked at.
  enum LabelId : int {
    kMessage = 31701,
    kModeGroup,
    kModelLabel,
    kColorGroup,
    kPatternLabel,
    kRedLabel,
    kGreenLabel,
    kBlueLabel,
  };

  // A template with the message and the colour group, whose top edge is at
  // `colorTop`; the dialog inserts its mode group after the message.
  static DialogTemplate SharedTemplate(int templateId, int cy, const ControlIds& ids, int colorTop);

  // `store` (not owned) holds the open printer set; `printerName` is the
  // installed name of the printer whose colours are edited.
  CQuorPrnColorDlgBase(int templateId, const ControlIds& ids, CQuorPrnSettingStore* store,
                       const std::string& printerName, QWidget* parent);
  ~CQuorPrnColorDlgBase() override;

  // F9 asks whether to return to the initial state; 0 for it, 1 for others.
  int NotifyFunctionEvent(int key) override;
  // Hands the shown mode and palette to the store (in memory) and closes.
  int NotifyConfirmEvent() override;
  int NotifyCancelEvent() override;

  // What the dialog holds, for the printer dialog's tests and previews.
  int32_t ShownMode() const { return m_shownMode; }
  const Palette& ShownPalette() const { return m_colorInfo.Palette; }
  const Palette& CustomPalette() const { return m_customPalette; }
  uint32_t CurrentColor() const;

 protected:
  bool OnInitDialog() override;
  void OnCommand(int id) override;
  const ControlIds& Ids() const { return m_ids; }

 private:
  void _localizeControls();
  void _showAutomatic();
  void _showCustom();
  void _showModel(bool fromRadio);
  void _applyMode(int32_t mode);
  void _selectPattern(int index);
  void _moveSlider(int id, int position);
  void _showColor();
  void _emptyPalettes();
  int32_t _checkColorItems();
  void _showMessage(const std::string& text, uint32_t type);
  int _selectedPattern() const;
  static void _copyPalette(const Palette& from, Palette& to);

  CQuorPrnSettingStore* m_store;
  ControlIds m_ids;
  QUOR_PRN_PRINTER_INFO_TYPE m_printerInfo;
  QUOR_PRN_COLOR_INFO_TYPE m_colorInfo;
  Palette m_customPalette;
  std::vector<std::string> m_modelNames;
  std::vector<std::string> m_colorItemNames;
  uint32_t m_red = 0, m_green = 0, m_blue = 0;
  int32_t m_shownMode = 0;

  CYbComboBox* m_modelList = nullptr;
  CYbComboBox* m_patternList = nullptr;
  CYbSliderCtrl* m_sliders[3] = {};
  CYbColorBox* m_preview = nullptr;
};
