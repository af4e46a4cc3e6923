// Qt numbers F1 to F12 consecutively, like the virtual-key codes.
#include "platform/ui/UiKeys.h"

#include <Qt>

int UiKeys::FromQtKey(int qtKey) {
  if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) return kVkReturn;
  if (qtKey == Qt::Key_Escape) return kVkEscape;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return kVkF1 + (qtKey - Qt::Key_F1);
  return 0;
}

std::string UiKeys::Caption(int vk) {
  if (vk == kVkReturn) return "Enter";
  if (vk == kVkEscape) return "Esc";
  if (vk >= kVkF1 && vk <= kVkF12) return "F" + std::to_string(vk - kVkF1 + 1);
  return {};
}
