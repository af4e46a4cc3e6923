#include "dialogs/CQuorPrnStepLink.h"

#include <algorithm>
#include <cmath>

#include "dialogs/IQuorPrnHeightOwner.h"

void CQuorPrnStepLink::SetRange(double a, double b, int mode) {
  low_ = std::min(a, b);
  high_ = std::max(a, b);
  mode_ = mode == 1 ? 1 : 2;
  step_ = mode == 1 ? 1.0 : 0.1;
}

void CQuorPrnStepLink::GetRange(double& min, double& max, int& mode) const {
  min = low_;
  max = high_;
  mode = mode_;
}

bool CQuorPrnStepLink::PassOn(const std::string& text, double value) {
  if (link_ == 0 || partner_ == nullptr) return false;
  if (owner_ != nullptr) {
    // The text holds one decimal; rounding keeps 0.3 from becoming 2 tenths.
    owner_->RecalcHeight(static_cast<int32_t>(std::lround(value * 10.0)));
    return true;
  }
  partner_->CYbEdit::SetWindowText(text);
  return false;
}
