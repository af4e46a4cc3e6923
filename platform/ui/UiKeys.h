// Virtual-key codes of the function keys that dialogs name, and the mapping
// from Qt's key codes. Holds no state.
#pragma once

#include <string>

enum UiVirtualKey : int {
  kVkReturn = 13,
  kVkEscape = 27,
  kVkF1 = 112,
  kVkF2, kVkF3, kVkF4, kVkF5, kVkF6, kVkF7, kVkF8, kVkF9, kVkF10, kVkF11,
  kVkF12 = 123,
};

class UiKeys {
 public:
  // The virtual-key code of a Qt key (Qt::Key), or 0 for keys that are not
  // function keys; keypad Enter counts as Return.
  static int FromQtKey(int qtKey);
  // "F1" .. "F12", "Enter", "Esc"; empty for other codes.
  static std::string Caption(int vk);
  static bool IsFunctionKey(int vk) { return vk == kVkReturn || vk == kVkEscape || (vk >= kVkF1 && vk <= kVkF12); }
};
