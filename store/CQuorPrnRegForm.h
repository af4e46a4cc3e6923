// One stored form of one printer, as the settings store holds it in memory
// between reading and writing. Owned by the printer object whose form list
// holds it; it owns nothing and never touches the registry itself.
#pragma once

#include <cstdint>
#include <string>

#include "quorprn/QuorPrnRecords.h"

class CQuorPrnRegForm {
 public:
  explicit CQuorPrnRegForm(std::string formName);

  // Copies every stored field into `form`; the record's bin name is left alone
  // because it is never stored.
  void CopyTo(QUOR_PRN_FORM_INFO_TYPE& form) const;
  // Takes the paper, bin and the six numbers from `form`; the form name stays.
  void TakeValuesFrom(const QUOR_PRN_FORM_INFO_TYPE& form);

  std::string FormName;
  std::string PaperSize;  // decimal paper number
  std::string PaperName;
  std::string Bin;        // decimal paper-source number; empty: none
  int32_t PaperSizeFit = 1;
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t WidthHeightFix = 0;
};
