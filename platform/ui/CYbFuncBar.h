// The function-key bar along the bottom of a CYbDialog: one button per
// function key with its key caption and label ("F1 ヘルプ"). Owns its buttons;
// knows nothing of what a key does: a click is handed to the callback, which
// the dialog routes like the key itself. Buttons never take the focus, so a
// click leaves the focus where the user was typing.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QPushButton;

class CYbFuncBar : public QWidget {
  Q_OBJECT
 public:
  explicit CYbFuncBar(QWidget* parent);

  // 1: buttons share the whole width; 2: buttons of one fixed width, right-aligned.
  void SetStyle(int style);
  // label in code page 932. Buttons always stand in keyboard order (F1 ..
  // F12, Return, Escape). position, without auto-arrange: the space in
  // pixels left before this button (after the previous one); 0 for every key
  // gives each key its own slot of a 14-slot keyboard row. Auto-arrange packs
  // the buttons and ignores positions. See Arrange for narrow bars.
  void SetButton(int vk, const std::string& label, int position);
  void SetLabel(int vk, const std::string& label);
  // Empty for a key without a button.
  std::string Label(int vk) const;
  // Without auto-arrange every key keeps its slot, with gaps between.
  void SetAutoArrange(bool on);
  void SetEnabledKey(int vk, bool enable);
  bool HasKey(int vk) const;
  bool IsKeyEnabled(int vk) const;
  QPushButton* Button(int vk) const;
  // The narrowest bar on which every button still shows its whole label.
  int MinimumWidth() const;
  void SetCallback(std::function<void(int)> onKey) { onKey_ = std::move(onKey); }

  static constexpr int kHeight = 30;

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  struct Entry {
    std::string label;
    int position = 0;
    bool enabled = true;
    QPushButton* button = nullptr;
  };
  void Arrange();
  void Refresh(int vk, Entry& e);
  // The keys in keyboard order.
  std::vector<int> Order() const;
  static int LabelWidth(const QPushButton* b);

  std::map<int, Entry> keys_;
  int style_ = 1;
  bool autoArrange_ = false;
  std::function<void(int)> onKey_;
};
