// A sample dialog with one control of every kind and a function-key bar,
// under the dialog key IDD_QUORPRN_GALLERY; shared by the gallery picture and
// the localisation tests.
#pragma once

#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbImageList.h"
#include "platform/ui/CYbPushBtn.h"

namespace uitest {

enum GalleryId : int {
  kGalleryTemplate = 39000,
  kGalGroup = 201, kGalLabel, kGalEdit, kGalNum, kGalSpin, kGalCombo, kGalCheck, kGalRadio1, kGalRadio2,
  kGalSlider, kGalList, kGalTree, kGalIcon, kGalColour, kGalPlaceholder, kGalButton, kGalPicture,
};

class GalleryDialog : public CYbDialog {
 public:
  GalleryDialog() : CYbDialog(kGalleryTemplate) {}
  bool OnInitDialog() override;

  CYbImageList large, small, folders;
  CYbPushBtn button;
};

}  // namespace uitest
