// Slots follow the keyboard: F1 to F12, then Return and Escape, so that a
// dialog without auto-arrange shows every key where the user expects it.
#include "platform/ui/CYbFuncBar.h"

#include <QPushButton>
#include <algorithm>
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

void CYbFuncBar::Arrange() {
  // Order of the buttons: by slot; a slot taken twice keeps key order.
  std::vector<std::pair<int, int>> order;  // slot, vk
  for (const auto& [vk, e] : keys_) order.emplace_back(e.position > 0 ? e.position - 1 : NaturalSlot(vk), vk);
  std::stable_sort(order.begin(), order.end());
  if (order.empty()) return;
  const int slotCount = autoArrange_ ? static_cast<int>(order.size()) : std::max(kSlots, order.back().first + 1);
  const int h = height() - 2 * kMargin;
  for (size_t i = 0; i < order.size(); ++i) {
    const int slot = autoArrange_ ? static_cast<int>(i) : order[i].first;
    QPushButton* b = keys_[order[i].second].button;
    QRect r;
    if (style_ == 2) {
      const int w = std::min(kFixedWidth, (width() - kMargin) / std::max(1, slotCount) - kMargin);
      const int left = width() - slotCount * (w + kMargin);
      r = QRect(left + slot * (w + kMargin), kMargin, w, h);
    } else {
      const int w = (width() - kMargin) / slotCount;
      r = QRect(kMargin + slot * w, kMargin, w - kMargin, h);
    }
    b->setGeometry(r);
    b->show();
  }
}
