// Modal message boxes with the button sets and icons the dialogs use, and the
// question beep. Texts are code page 932. Makes the QApplication when needed.
#pragma once

#include <cstdint>
#include <string>

class QWidget;

enum UiMessageBoxType : uint32_t {
  kMbOk = 0x00,
  kMbOkCancel = 0x01,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
};

enum UiMessageBoxResult : int {
  kIdOk = 1,
  kIdCancel = 2,
};

class UiMessageBox {
 public:
  // type: one button set ORed with at most one icon. Returns kIdOk or
  // kIdCancel (Escape and closing give kIdCancel, or kIdOk when OK is the only
  // button), or QUOR_PRN_ERR_DISPLAY when nothing can be shown. An empty
  // caption takes the parent window's title.
  static int Show(QWidget* parent, const std::string& text, const std::string& caption, uint32_t type);
  // The sound that goes with a question.
  static void QuestionBeep();
};
