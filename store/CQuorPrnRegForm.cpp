// The stored form object's copies to and from the form record. Holds no
// registry access; the record's bin name has no counterpart here because the
// driver names the bin afresh on every lookup.
#include "store/CQuorPrnRegForm.h"

#include <utility>

CQuorPrnRegForm::CQuorPrnRegForm(std::string formName) : FormName(std::move(formName)) {}

void CQuorPrnRegForm::CopyTo(QUOR_PRN_FORM_INFO_TYPE& form) const {
  form.FormName = FormName;
  form.PaperSize = PaperSize;
  form.PaperName = PaperName;
  form.Bin = Bin;
  form.PaperSizeFit = PaperSizeFit;
  form.OffsetX = OffsetX;
  form.OffsetY = OffsetY;
  form.Width = Width;
  form.Height = Height;
  form.WidthHeightFix = WidthHeightFix;
}

void CQuorPrnRegForm::TakeValuesFrom(const QUOR_PRN_FORM_INFO_TYPE& form) {
  PaperSize = form.PaperSize;
  PaperName = form.PaperName;
  Bin = form.Bin;
  PaperSizeFit = form.PaperSizeFit;
  OffsetX = form.OffsetX;
  OffsetY = form.OffsetY;
  Width = form.Width;
  Height = form.Height;
  WidthHeightFix = form.WidthHeightFix;
}
