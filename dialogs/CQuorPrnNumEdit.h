// The numeric edit of the offset, scale and size fields: arrow keys step the
// value within its range, and every change is passed on like a spin's.
#pragma once

#include "dialogs/CQuorPrnStepLink.h"
#include "platform/ui/CYbNumEdit.h"

class CQuorPrnNumEdit : public CYbNumEdit, public CQuorPrnStepLink {
  Q_OBJECT
 public:
  explicit CQuorPrnNumEdit(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void OnTextEdited() override;

 private:
  void PassOn();
};
