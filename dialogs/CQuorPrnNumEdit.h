// The numeric edit of the offset, scale and size fields: arrow keys step the
// value within its range, and every change can be passed on to a partner edit
// (its text copied) or, when the edit has an owner, to the owner's height
// recomputation. Owns neither partner nor owner.
#pragma once

#include <QPointer>

#include "platform/ui/CYbNumEdit.h"

class IQuorPrnHeightOwner;

class CQuorPrnNumEdit : public CYbNumEdit {
  Q_OBJECT
 public:
  explicit CQuorPrnNumEdit(QWidget* parent = nullptr);

  // min/max are the smaller/larger of a and b; mode 1 steps by 1.0, any other
  // mode by 0.1 (and is kept as mode 2).
  void SetRange(double a, double b, int mode);
  void GetRange(double& min, double& max, int& mode) const;
  double GetStep() const { return step_; }
  void SetLink(int link) { link_ = link; }
  int GetLink() const { return link_; }
  void SetPartner(CYbEdit* partner) { partner_ = partner; }
  void SetOwner(IQuorPrnHeightOwner* owner) { owner_ = owner; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void OnTextEdited() override;

 private:
  void PassOn();

  double min_ = 0.0;
  double max_ = 100.0;
  double step_ = 1.0;
  int mode_ = 1;
  int link_ = 0;
  QPointer<CYbEdit> partner_;
  IQuorPrnHeightOwner* owner_ = nullptr;
};
