// Clicks go to the points a user would hit (a check box only over its
// indicator, a list row over its first column); keys go to the focused
// widget, which is where the offscreen platform would deliver them too.
#include "tests/support/DialogDriver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbFuncBar.h"
#include "platform/ui/CYbListCtrl.h"
#include "platform/ui/CYbSliderCtrl.h"
#include "platform/ui/CYbTreeCtrl.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiMessageBox.h"
#include "platform/ui/UiText.h"

namespace uitest {

namespace {

bool Usable(const QWidget* w) { return w != nullptr && w->isVisible() && w->isEnabled(); }

// Closes every modal window above dlg, innermost first.
void CloseModalsAbove(QWidget* dlg) {
  for (int guard = 0; guard < 20; ++guard) {
    QWidget* top = QApplication::activeModalWidget();
    if (top == nullptr || top == dlg) return;
    if (auto* d = qobject_cast<QDialog*>(top)) {
      d->done(kWatchdogCode);
    } else {
      top->close();
    }
    QApplication::processEvents();
  }
}

uint32_t IconType(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Critical: return kMbIconStop;
    case QMessageBox::Question: return kMbIconQuestion;
    case QMessageBox::Warning: return kMbIconExclamation;
    case QMessageBox::Information: return kMbIconInformation;
    default: return 0;
  }
}

}  // namespace

DialogDriver::DialogDriver(CMeraBWBaseDialog& dlg) : dlg_(dlg), watcher_(new QTimer()) {
  watcher_->setInterval(10);
  QObject::connect(watcher_, &QTimer::timeout, [this] { CheckForMessageBox(); });
}

DialogDriver::~DialogDriver() { delete watcher_; }

int DialogDriver::RunModal(const std::function<void()>& script, int watchdogMs) {
  QTimer::singleShot(0, &dlg_, [this, script] {
    if (!QTest::qWaitForWindowActive(&dlg_)) return;
    script();
  });
  QTimer::singleShot(watchdogMs, &dlg_, [this] {
    CloseModalsAbove(&dlg_);
    dlg_.EndDialog(kWatchdogCode);
  });
  return dlg_.DoModal();
}

void DialogDriver::PressKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr || target->window() != &dlg_) target = &dlg_;
  QTest::keyClick(target, static_cast<Qt::Key>(qtKey), modifiers);
}

void DialogDriver::PressFunctionKey(int vk) {
  if (vk == kVkReturn) return PressKey(Qt::Key_Return);
  if (vk == kVkEscape) return PressKey(Qt::Key_Escape);
  if (vk >= kVkF1 && vk <= kVkF12) PressKey(Qt::Key_F1 + (vk - kVkF1));
}

bool DialogDriver::ClickButton(int id) {
  QWidget* w = dlg_.GetDlgItem(id);
  if (!Usable(w)) return false;
  QAbstractButton* b = qobject_cast<QAbstractButton*>(w);
  if (auto* y = qobject_cast<CYbButton*>(w)) b = y->Button();
  if (b == nullptr) return false;
  QPoint at = b->rect().center();
  if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) {
    // A wide check box is hit only over its indicator and label.
    QStyleOptionButton opt;
    opt.initFrom(b);
    const bool radio = qobject_cast<QRadioButton*>(b) != nullptr;
    at = b->style()->subElementRect(radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, b).center();
  }
  QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, at);
  return true;
}

bool DialogDriver::ClickBarButton(int vk) {
  auto* ybd = qobject_cast<CYbDialog*>(&dlg_);
  QPushButton* b = ybd ? ybd->FuncBar()->Button(vk) : nullptr;
  if (!Usable(b)) return false;
  QTest::mouseClick(b, Qt::LeftButton);
  return true;
}

bool DialogDriver::PickComboEntry(int id, int index) {
  auto* c = dlg_.Item<CYbComboBox>(id);
  if (!Usable(c) || index < 0 || index >= c->count()) return false;
  QTest::mouseClick(c, Qt::LeftButton);  // opens the list, as on the screen
  QAbstractItemView* view = c->view();
  if (!QTest::qWaitFor([view] { return view->isVisible(); }, 1000)) return false;
  const QModelIndex mi = view->model()->index(index, c->modelColumn(), view->rootIndex());
  view->scrollTo(mi);
  const QPoint at = view->visualRect(mi).center();
  QTest::mouseMove(view->viewport(), at);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  return QTest::qWaitFor([view] { return !view->isVisible(); }, 1000);
}

bool DialogDriver::PickListRow(int id, int row) {
  auto* l = dlg_.Item<CYbListCtrl>(id);
  if (!Usable(l)) return false;
  QTreeWidgetItem* item = l->topLevelItem(row);
  if (item == nullptr) return false;
  l->scrollToItem(item);
  QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier, l->visualItemRect(item).center());
  return true;
}

bool DialogDriver::PickTreeItem(int id, QTreeWidgetItem* item) {
  auto* t = dlg_.Item<CYbTreeCtrl>(id);
  if (!Usable(t) || item == nullptr || item->treeWidget() != t) return false;
  for (QTreeWidgetItem* p = item->parent(); p != nullptr; p = p->parent()) p->setExpanded(true);
  t->scrollToItem(item);
  QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::NoModifier, t->visualItemRect(item).center());
  return true;
}

bool DialogDriver::MoveSlider(int id, int pos) {
  auto* s = dlg_.Item<CYbSliderCtrl>(id);
  if (!Usable(s) || pos < s->minimum() || pos > s->maximum()) return false;
  s->setFocus(Qt::MouseFocusReason);
  while (s->value() != pos) {
    const int before = s->value();
    QTest::keyClick(s, s->value() < pos ? Qt::Key_Right : Qt::Key_Left);
    if (s->value() == before) return false;
  }
  return true;
}

bool DialogDriver::TypeInto(int id, const std::string& text, bool leave) {
  auto* e = dlg_.Item<QLineEdit>(id);
  if (!Usable(e)) return false;
  QTest::mouseClick(e, Qt::LeftButton);
  QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(e, Qt::Key_Delete);
  // QTest::keyClicks asserts on characters outside ASCII: send each as text.
  for (QChar ch : UiText::ToQt(text)) QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  if (leave) QTest::keyClick(e, Qt::Key_Tab);
  return true;
}

void DialogDriver::AnswerNextMessageBox(int answer) {
  pendingAnswer_ = answer;
  box_ = SeenMessageBox{};
  watcher_->start();
}

void DialogDriver::CheckForMessageBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  watcher_->stop();
  box_.seen = true;
  box_.text = UiText::FromQt(box->text());
  box_.caption = UiText::FromQt(box->windowTitle());
  box_.icon = IconType(box->icon());
  box_.answer = pendingAnswer_;
  for (QAbstractButton* b : box->buttons()) box_.buttons.push_back(UiText::FromQt(b->text()));
  QAbstractButton* b = box->button(pendingAnswer_ == kIdOk ? QMessageBox::Ok : QMessageBox::Cancel);
  if (b == nullptr) b = box->escapeButton();
  if (b != nullptr) {
    QTest::mouseClick(b, Qt::LeftButton);
  } else {
    box->done(0);
  }
}

std::string DialogDriver::Text(int id) const {
  if (auto* l = dlg_.Item<CYbListCtrl>(id)) {
    const int row = l->GetNextSelectedItem(-1);
    return row < 0 ? std::string() : l->GetItemText(row, 0);
  }
  if (auto* t = dlg_.Item<CYbTreeCtrl>(id)) return t->GetItemText(t->GetSelectedItem());
  return dlg_.GetDlgItemText(id);
}

std::string DialogDriver::SavePng(const std::string& language) const {
  const QString folder = UiText::Literal(QUORPRN_BINARY_DIR "/gallery");
  if (!QDir().mkpath(folder)) return {};
  const QString path = folder + QLatin1Char('/') + QString::number(dlg_.TemplateId()) + QLatin1Char('-') +
                       UiText::ToQt(language) + UiText::Literal(".png");
  return dlg_.grab().toImage().save(path) ? UiText::FromQt(path) : std::string();
}

QWidget* WaitForModalAbove(QWidget* below) {
  for (int i = 0; i < 200; ++i) {
    QWidget* top = QApplication::activeModalWidget();
    if (top != nullptr && top != below) return top;
    QTest::qWait(10);
  }
  return nullptr;
}

}  // namespace uitest
