// The icons and pictures the dialogs show, drawn by the library itself and
// known by their resource ids: binder icons in 17 colours (large 48 px and
// small 16 px ids), the system's information icon, the pictures for separate and combined output, the folder
// tree icons, and the paper-orientation and correction pictures. Drawn once
// per id and size, then served from Qt's pixmap cache. Needs the
// QApplication (UiApplication::Ensure) before the first call.
#pragma once

#include <QColor>
#include <QPixmap>

class UiPictures {
 public:
  static constexpr int kBinderColours = 17;
  enum PictureId : int {
    kBinderFirst = 31720,   // 31720 + 2k large, 31721 + 2k small, k = 0..15
    kBinderLast = 31751,
    kOutputSeparate = 31752,
    kOutputCombined = 31753,
    kFolderRoot = 31754,
    kFolderUser = 31755,
    kFolder = 31756,
    kPaperPortrait = 31901,
    kPaperLandscape = 31902,
    kPrinterOffset = 31951,
    kPrinterScale = 31952,
    // Not drawn here: the platform style's information icon (the number is
    // the one hosts know it by).
    kSystemInformation = 32516,
  };

  // size 0 gives the picture's natural size (48 or 16 for binder icons, 32
  // for the other icons, 64 for the pictures). Null for an unknown id.
  static QPixmap Pixmap(int id, int size = 0);
  static bool Has(int id);
  // The system's small-icon size in pixels (width and height), for the image
  // lists of lists and trees.
  static int SmallIconSize();
  // The system's icon size (message boxes, the information icon).
  static int IconSize();
  // The icon id of binder colour 0..16 (0, the standard colour, shows red);
  // 0 for an index out of range.
  static int BinderIconId(int colourIndex, bool large);
  static QColor BinderColour(int colourIndex);
};
