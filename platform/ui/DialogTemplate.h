// A dialog template as data: caption, size and font of the dialog and its
// controls with id, kind, text, rectangle (dialog units) and style. Dialogs
// declare theirs in code (texts as readable UTF-8 literals turned into code
// page 932 with mbcs::Cp932) and register them under the template id; the
// dialog base builds the widgets from it. Holds no Qt type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class DlgKind {
  Static,       // a text label
  GroupBox,     // a titled frame
  PushButton,   // a plain button; ids 1 and 2 confirm and cancel
  CheckBox,
  RadioButton,
  Edit,         // single-line text
  NumEdit,      // numeric text, see CYbNumEdit
  ComboBox,     // drop-down list, not editable
  ListReport,   // report-view list with one or more columns and icons
  Tree,         // tree with buttons and lines
  Slider,       // horizontal track bar
  Spin,         // up-down arrows beside a buddy edit
  Icon,         // a picture or icon, its id in DlgControl::image
  ColorBox,     // a frame whose inside a dialog paints (colour preview)
};

// Style bits of a control; all default off.
enum DlgStyle : uint32_t {
  kDlgHidden = 1u << 0,
  kDlgDisabled = 1u << 1,
  kDlgGroup = 1u << 2,      // starts a new group (radio buttons are exclusive within one)
  kDlgReadOnly = 1u << 3,
  kDlgDefault = 1u << 4,    // the default push button (Return in dialogs without function keys)
  kDlgRight = 1u << 5,      // text aligned right
  kDlgCentre = 1u << 6,     // text centred
  kDlgSunken = 1u << 7,     // a sunken frame around a static
};

struct DlgControl {
  int id = 0;
  DlgKind kind = DlgKind::Static;
  std::string text;  // code page 932
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
  uint32_t style = 0;
  int image = 0;  // picture or icon id for DlgKind::Icon
};

struct DialogTemplate {
  int id = 0;
  std::string caption;  // code page 932
  int cx = 0, cy = 0;   // dialog units, the area above the function-key bar
  std::string fontFace;  // code page 932, such as "ＭＳ ゴシック"
  int pointSize = 9;
  std::vector<DlgControl> controls;
};
