// A sample dialog with one control of every kind and a function-key bar,
// under the dialog key IDD_QUORPRN_GALLERY; shared by the gallery picture and
// the localisation tests.
#pragma once

#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbImageList.h"
#include "platform/ui/CYbPushBtn.h"

namespace uitest {

constexpr int kGalleryTemplate = 39000;
enum : int { kGalGroup = 201, kGalLabel, kGalEdit, kGalNum, kGalSpin, kGalCombo, kGalCheck, kGalRadio1, kGalRadio2 };
enum : int { kGalSlider = 210, kGalList, kGalTree, kGalIcon, kGalColour, kGalPlaceholder, kGalButton, kGalPicture };

class GalleryDialog : public CYbDialog {
 public:
  GalleryDialog() : CYbDialog(kGalleryTemplate) {}
  bool OnInitDialog() override;

  CYbImageList large, small, folders;
  CYbPushBtn button;
};

}  // namespace uitest
