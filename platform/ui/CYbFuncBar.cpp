// Buttons follow the keyboard: F1 to F12, then Return and Escape, whatever
// order or positions a dialog gives, so every bar reads alike. A position is
// a space before its button: a dialog separates groups of keys with it
// (a wide space before Return sets confirm and cancel apart). No layout ever
// makes a button narrower than its label or lets two overlap; a bar too
// narrow for that clips at its right end (CYbDialog widens itself instead).
#include "platform/ui/CYbFuncBar.h"

#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/ui/UiKeys.h"
#include "platform/ui/UiText.h"

namespace {

int NaturalSlot(int vk) {
  if (vk >= kVkF1 && vk <= kVkF12) return vk - kVkF1;
  return vk == kVkReturn ? 12 : 13;
}

constexpr int kSlots = 14;
constexpr int kFixedWidth = 96;
constexpr int kMargin = 4;
constexpr int kMinGap = 2;

}  // namespace

CYbFuncBar::CYbFuncBar(QWidget* parent) : QWidget(parent) { setFixedHeight(kHeight); }

void CYbFuncBar::SetStyle(int style) {
  style_ = style;
  Arrange();
}

void CYbFuncBar::SetButton(int vk, const std::string& label, int position) {
  Entry& e = keys_[vk];
  e.label = label;
  e.position = position;
  if (e.button == nullptr) {
    e.button = new QPushButton(this);
    e.button->setFocusPolicy(Qt::NoFocus);
    e.button->setAutoDefault(false);
    e.button->setProperty("quorprn_vk", vk);
    connect(e.button, &QPushButton::clicked, this, [this, vk] {
      if (onKey_) onKey_(vk);
    });
  }
  Refresh(vk, e);
  Arrange();
}

void CYbFuncBar::SetLabel(int vk, const std::string& label) {
  auto it = keys_.find(vk);
  if (it == keys_.end()) return;
  it->second.label = label;
  Refresh(vk, it->second);
}

std::string CYbFuncBar::Label(int vk) const {
  auto it = keys_.find(vk);
  return it == keys_.end() ? std::string() : it->second.label;
}

void CYbFuncBar::SetAutoArrange(bool on) {
  autoArrange_ = on;
  Arrange();
}

void CYbFuncBar::SetEnabledKey(int vk, bool enable) {
  auto it = keys_.find(vk);
  if (it == keys_.end()) return;
  it->second.enabled = enable;
  Refresh(vk, it->second);
}

bool CYbFuncBar::HasKey(int vk) const { return keys_.count(vk) != 0; }

bool CYbFuncBar::IsKeyEnabled(int vk) const {
  auto it = keys_.find(vk);
  return it != keys_.end() && it->second.enabled;
}

QPushButton* CYbFuncBar::Button(int vk) const {
  auto it = keys_.find(vk);
  return it == keys_.end() ? nullptr : it->second.button;
}

void CYbFuncBar::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Arrange();
}

void CYbFuncBar::Refresh(int vk, Entry& e) {
  e.button->setText(UiText::ToQt(UiKeys::Caption(vk) + " " + e.label));
  e.button->setEnabled(e.enabled);
}

std::vector<int> CYbFuncBar::Order() const {
  std::vector<int> order;
  for (const auto& entry : keys_) order.push_back(entry.first);
  std::stable_sort(order.begin(), order.end(), [](int a, int b) { return NaturalSlot(a) < NaturalSlot(b); });
  return order;
}

int CYbFuncBar::LabelWidth(const QPushButton* b) {
  return b->fontMetrics().horizontalAdvance(b->text()) + 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin) + 4;
}

int CYbFuncBar::MinimumWidth() const {
  int w = kMargin;
  for (const auto& entry : keys_) w += kMinGap + LabelWidth(entry.second.button);
  return w;
}

void CYbFuncBar::Arrange() {
  const std::vector<int> order = Order();
  const int n = static_cast<int>(order.size());
  if (n == 0) return;
  const int h = height() - 2 * kMargin;
  std::vector<int> label(n);
  for (int i = 0; i < n; ++i) label[i] = LabelWidth(keys_[order[i]].button);
  const int widest = *std::max_element(label.begin(), label.end());
  bool positioned = false;
  for (const auto& entry : keys_) positioned = positioned || entry.second.position > 0;

  if (!autoArrange_ && !positioned) {
    // Every key in its own slot, as on the keyboard, while the slots are wide
    // enough for the labels; packed otherwise.
    const int slotWidth = style_ == 2 ? std::min(kFixedWidth + kMargin, (width() - kMargin) / kSlots) : (width() - kMargin) / kSlots;
    if (slotWidth - kMargin >= widest) {
      const int left = style_ == 2 ? width() - kSlots * slotWidth : kMargin;
      for (int vk : order) {
        keys_[vk].button->setGeometry(left + NaturalSlot(vk) * slotWidth, kMargin, slotWidth - kMargin, h);
        keys_[vk].button->show();
      }
      return;
    }
  }

  std::vector<int> gap(n, kMargin), w(n);
  if (!autoArrange_) {
    for (int i = 0; i < n; ++i) {
      if (keys_[order[i]].position > 0) gap[i] = keys_[order[i]].position;
    }
  }
  auto sum = [](const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); };
  if (style_ == 2) {
    for (int i = 0; i < n; ++i) w[i] = std::max(kFixedWidth, label[i]);
  } else {
    const int share = (width() - kMargin - sum(gap)) / n;
    for (int i = 0; i < n; ++i) w[i] = std::max(share, label[i]);
  }
  // Too wide: take the room from buttons wider than their labels first, then
  // from the spaces, in proportion so that a wide space stays the widest.
  auto shrink = [](std::vector<int>& v, const std::vector<int>& floor, int excess) {
    int room = 0;
    for (size_t i = 0; i < v.size(); ++i) room += v[i] - floor[i];
    if (room <= 0 || excess <= 0) return excess;
    const int take = std::min(excess, room);
    for (size_t i = 0; i < v.size(); ++i) v[i] = floor[i] + static_cast<int>(static_cast<long>(v[i] - floor[i]) * (room - take) / room);
    int left = 0;
    for (size_t i = 0; i < v.size(); ++i) left += v[i] - floor[i];
    // Rounding left some over: one pixel at a time from the largest.
    for (int over = left - (room - take); over > 0; --over) {
      size_t big = 0;
      for (size_t i = 1; i < v.size(); ++i) {
        if (v[i] - floor[i] > v[big] - floor[big]) big = i;
      }
      --v[big];
    }
    return excess - take;
  };
  int excess = sum(gap) + sum(w) + kMargin - width();
  excess = shrink(w, label, excess);
  shrink(gap, std::vector<int>(n, kMinGap), excess);

  int x = style_ == 2 ? std::max(0, width() - (sum(gap) + sum(w) + kMargin)) : 0;
  for (int i = 0; i < n; ++i) {
    x += gap[i];
    keys_[order[i]].button->setGeometry(x, kMargin, w[i], h);
    keys_[order[i]].button->show();
    x += w[i];
  }
}
