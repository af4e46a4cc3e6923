// What a numeric edit and the spin beside it share: the range and step that
// an arrow moves the value by, and where a changed value is passed on - the
// partner edit gets the text, or, when there is an owner, the owner
// recomputes its height. Owns neither partner nor owner.
#pragma once

#include <QPointer>
#include <string>

#include "platform/ui/CYbEdit.h"

class IQuorPrnHeightOwner;

class CQuorPrnStepLink {
 public:
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
  // Nothing happens unless linked to a partner. True when the change went to
  // the owner.
  bool PassOn(const std::string& text, double value);

  double low_ = 0.0;
  double high_ = 100.0;
  double step_ = 1.0;

 private:
  int mode_ = 1;
  int link_ = 0;
  QPointer<CYbEdit> partner_;
  IQuorPrnHeightOwner* owner_ = nullptr;
};
