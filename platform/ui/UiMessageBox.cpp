#include "platform/ui/UiMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UiLocalize.h"
#include "platform/ui/UiText.h"
#include "quorprn/QuorPrnResult.h"

int UiMessageBox::Show(QWidget* parent, const std::string& text, const std::string& caption, uint32_t type) {
  if (const int32_t ok = UiApplication::Ensure(); ok != QUOR_PRN_SUCCESS) return ok;
  QMessageBox box(parent);
  box.setText(UiText::ToQt(text));
  box.setWindowTitle(caption.empty() && parent ? parent->window()->windowTitle() : UiText::ToQt(caption));
  switch (type & 0xF0) {
    case kMbIconStop: box.setIcon(QMessageBox::Critical); break;
    case kMbIconQuestion: box.setIcon(QMessageBox::Question); break;
    case kMbIconExclamation: box.setIcon(QMessageBox::Warning); break;
    case kMbIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  // The button texts are ours: Qt's own would stay English for a Japanese user.
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  ok->setText(UiText::ToQt(UiLocalize::ControlText("QUORPRN_MSGBOX_OK", "OK")));
  box.setDefaultButton(ok);
  if ((type & 0x0F) == kMbOkCancel) {
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    cancel->setText(UiText::ToQt(UiLocalize::ControlText("QUORPRN_MSGBOX_CANCEL", mbcs::Cp932("キャンセル"))));
    box.setEscapeButton(cancel);
  } else {
    box.setEscapeButton(ok);
  }
  box.exec();
  return box.clickedButton() == ok ? kIdOk : kIdCancel;
}

void UiMessageBox::QuestionBeep() { QApplication::beep(); }
