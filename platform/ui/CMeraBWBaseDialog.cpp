// Template controls are created in template order, which is also the tab
// order; group boxes are sent to the back afterwards because templates list
// them wherever their author liked.
#include "platform/ui/CMeraBWBaseDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "platform/ui/CYbButton.h"
#include "platform/ui/CYbColorBox.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbEdit.h"
#include "platform/ui/CYbListCtrl.h"
#include "platform/ui/CYbNumEdit.h"
#include "platform/ui/CYbSliderCtrl.h"
#include "platform/ui/CYbSpinButtonCtrl.h"
#include "platform/ui/CYbTreeCtrl.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UiControl.h"
#include "platform/ui/UiPictures.h"
#include "platform/ui/UiText.h"
#include "quorprn/QuorPrnResult.h"

CMeraBWBaseDialog::CMeraBWBaseDialog(int templateId, QWidget* parent) : QDialog(parent), templateId_(templateId) {}

CMeraBWBaseDialog::~CMeraBWBaseDialog() = default;

void CMeraBWBaseDialog::BindControl(int id, QWidget* control) {
  if (!created_ && control != nullptr) bound_[id] = control;
}

bool CMeraBWBaseDialog::Create() {
  if (created_) return true;
  if (UiApplication::Ensure() != QUOR_PRN_SUCCESS) return false;
  const DialogTemplate* tpl = DialogTemplates::Find(templateId_);
  if (tpl == nullptr) return false;
  tpl_ = *tpl;
  created_ = true;

  QFont f(UiText::ToQt(tpl_.fontFace.empty() ? std::string("MS Shell Dlg") : tpl_.fontFace));
  f.setPointSize(tpl_.pointSize > 0 ? tpl_.pointSize : 9);
  f.setStyleHint(QFont::TypeWriter);
  setFont(f);
  const QFontMetrics fm(f);
  const QString alphabet = UiText::Literal("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  baseX_ = std::max(1, (fm.horizontalAdvance(alphabet) / 26 + 1) / 2);
  baseY_ = std::max(1, fm.height());

  setWindowTitle(UiText::ToQt(tpl_.caption));
  barHeight_ = ExtraBottom();
  const QRect area = MapDialogRect(QRect(0, 0, tpl_.cx, tpl_.cy));
  setFixedSize(area.width(), area.height() + barHeight_);

  std::vector<QWidget*> groups;
  for (const DlgControl& c : tpl_.controls) {
    auto it = bound_.find(c.id);
    QWidget* w = MakeControl(c, it == bound_.end() ? nullptr : it->second);
    if (c.kind == DlgKind::GroupBox) groups.push_back(w);
  }
  for (QWidget* g : groups) g->lower();
  return true;
}

QWidget* CMeraBWBaseDialog::MakeControl(const DlgControl& c, QWidget* bound) {
  const QString text = UiText::ToQt(c.text);
  QWidget* w = bound;
  // A group style starts a new group; radio buttons up to the next one are exclusive.
  if (c.style & kDlgGroup) radioGroup_ = nullptr;
  switch (c.kind) {
    case DlgKind::Static: {
      auto* l = qobject_cast<QLabel*>(w);
      if (w == nullptr) w = l = new QLabel(this);
      if (l) {
        l->setText(text);
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
        Qt::Alignment a = (c.style & kDlgRight) ? Qt::AlignRight : (c.style & kDlgCentre) ? Qt::AlignHCenter : Qt::AlignLeft;
        l->setAlignment(a | Qt::AlignTop);
        if (c.style & kDlgSunken) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      }
      break;
    }
    case DlgKind::GroupBox: {
      auto* g = qobject_cast<QGroupBox*>(w);
      if (w == nullptr) w = g = new QGroupBox(this);
      if (g) g->setTitle(text);
      break;
    }
    case DlgKind::PushButton: {
      auto* b = qobject_cast<QPushButton*>(w);
      if (w == nullptr) w = b = new QPushButton(this);
      if (b) {
        b->setText(text);
        b->setAutoDefault(false);
        b->setDefault((c.style & kDlgDefault) != 0);
        const int id = c.id;
        connect(b, &QPushButton::clicked, this, [this, id] {
          if (id == 1) {
            OnOK();
          } else if (id == 2) {
            OnCancel();
          } else {
            OnCommand(id);
          }
        });
      }
      break;
    }
    case DlgKind::CheckBox:
    case DlgKind::RadioButton: {
      auto* b = qobject_cast<CYbButton*>(w);
      if (w == nullptr) w = b = new CYbButton(this);
      if (b) {
        const bool radio = c.kind == DlgKind::RadioButton;
        b->Setup(radio ? CYbButton::Kind::Radio : CYbButton::Kind::CheckBox);
        b->SetWindowText(c.text);
        if (radio) {
          if (radioGroup_ == nullptr) radioGroup_ = new QButtonGroup(this);
          radioGroup_->addButton(b->Button());
        }
        const int id = c.id;
        connect(b, &CYbButton::clicked, this, [this, id] { OnCommand(id); });
      }
      break;
    }
    case DlgKind::Edit:
    case DlgKind::NumEdit: {
      auto* e = qobject_cast<CYbEdit*>(w);
      if (w == nullptr) w = e = (c.kind == DlgKind::NumEdit ? new CYbNumEdit(this) : new CYbEdit(this));
      if (e) {
        e->setText(text);
        e->setReadOnly((c.style & kDlgReadOnly) != 0);
      }
      break;
    }
    case DlgKind::ComboBox:
      if (w == nullptr) w = new CYbComboBox(this);
      break;
    case DlgKind::ListReport:
      if (w == nullptr) w = new CYbListCtrl(this);
      break;
    case DlgKind::Tree:
      if (w == nullptr) w = new CYbTreeCtrl(this);
      break;
    case DlgKind::Slider:
      if (w == nullptr) w = new CYbSliderCtrl(this);
      break;
    case DlgKind::Spin:
      if (w == nullptr) w = new CYbSpinButtonCtrl(this);
      break;
    case DlgKind::ColorBox:
      if (w == nullptr) w = new CYbColorBox(this);
      break;
    case DlgKind::Icon: {
      auto* l = qobject_cast<QLabel*>(w);
      if (w == nullptr) w = l = new QLabel(this);
      if (l) {
        const QRect r = MapDialogRect(QRect(c.x, c.y, c.cx, c.cy));
        l->setPixmap(UiPictures::Pixmap(c.image, std::min(r.width(), r.height())));
        l->setAlignment(Qt::AlignCenter);
      }
      break;
    }
  }
  w->setParent(this);
  UiControl::SetId(w, c.id);
  QRect r = MapDialogRect(QRect(c.x, c.y, c.cx, c.cy));
  // A template's drop-down rectangle includes the opened list; the closed box
  // is one line high.
  if (c.kind == DlgKind::ComboBox) r.setHeight(std::min(r.height(), w->sizeHint().height()));
  w->setGeometry(r);
  w->setEnabled((c.style & kDlgDisabled) == 0);
  w->setVisible((c.style & kDlgHidden) == 0);
  return w;
}

QRect CMeraBWBaseDialog::MapDialogRect(const QRect& du) const {
  auto mx = [this](int v) { return (v * baseX_ + 2) / 4; };
  auto my = [this](int v) { return (v * baseY_ + 4) / 8; };
  const int left = mx(du.x());
  const int top = my(du.y());
  return QRect(left, top, mx(du.x() + du.width()) - left, my(du.y() + du.height()) - top);
}

int CMeraBWBaseDialog::DoModal() {
  if (const int32_t ok = UiApplication::Ensure(); ok != QUOR_PRN_SUCCESS) return ok;
  if (!Create()) return QUOR_PRN_ERR_ARGUMENT;
  ended_ = false;
  OnInitDialog();
  if (ended_) return endCode_;
  return exec();
}

void CMeraBWBaseDialog::EndDialog(int code) {
  ended_ = true;
  endCode_ = code;
  done(code);
}

bool CMeraBWBaseDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CMeraBWBaseDialog::OnOK() {
  UpdateData(true);
  EndDialog(1);
}

std::vector<int> CMeraBWBaseDialog::RadioGroup(int firstId) const {
  std::vector<int> ids;
  const auto& cs = tpl_.controls;
  auto it = std::find_if(cs.begin(), cs.end(), [firstId](const DlgControl& c) { return c.id == firstId; });
  for (; it != cs.end() && it->kind == DlgKind::RadioButton; ++it) {
    if (!ids.empty() && (it->style & kDlgGroup)) break;
    ids.push_back(it->id);
  }
  return ids;
}

void CMeraBWBaseDialog::DdxCheck(int id, int* value) {
  exchanges_.push_back({id, [this, id, value] { *value = IsDlgButtonChecked(id); },
                        [this, id, value] { CheckDlgButton(id, *value); }});
}

void CMeraBWBaseDialog::DdxRadio(int firstId, int* index) {
  exchanges_.push_back({firstId,
                        [this, firstId, index] {
                          const std::vector<int> ids = RadioGroup(firstId);
                          *index = -1;
                          for (size_t i = 0; i < ids.size(); ++i) {
                            if (IsDlgButtonChecked(ids[i])) {
                              *index = static_cast<int>(i);
                              break;
                            }
                          }
                        },
                        [this, firstId, index] {
                          const std::vector<int> ids = RadioGroup(firstId);
                          for (size_t i = 0; i < ids.size(); ++i) CheckDlgButton(ids[i], static_cast<int>(i) == *index);
                        }});
}

void CMeraBWBaseDialog::DdxText(int id, std::string* value) {
  exchanges_.push_back({id, [this, id, value] { *value = GetDlgItemText(id); },
                        [this, id, value] { SetDlgItemText(id, *value); }});
}

void CMeraBWBaseDialog::DdxValue(int id, double* value) {
  exchanges_.push_back({id,
                        [this, id, value] {
                          if (auto* n = Item<CYbNumEdit>(id)) *value = n->GetWindowTextValue();
                        },
                        [this, id, value] {
                          if (auto* n = Item<CYbNumEdit>(id)) n->SetWindowTextValue(*value);
                        }});
}

bool CMeraBWBaseDialog::UpdateData(bool saveAndValidate) {
  bool all = true;
  for (const Exchange& x : exchanges_) {
    if (GetDlgItem(x.id) == nullptr) {
      all = false;
      continue;
    }
    (saveAndValidate ? x.save : x.load)();
  }
  return all;
}

void CMeraBWBaseDialog::OnCancel() { EndDialog(2); }

void CMeraBWBaseDialog::OnCommand(int) {}

void CMeraBWBaseDialog::reject() { OnCancel(); }

QWidget* CMeraBWBaseDialog::GetDlgItem(int id) const {
  if (id == 0) return nullptr;
  const auto children = findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* w : children) {
    if (UiControl::Id(w) == id) return w;
  }
  return nullptr;
}

QString CMeraBWBaseDialog::ControlText(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
  if (auto* y = qobject_cast<const CYbButton*>(w)) return y->Button() ? y->Button()->text() : QString();
  return {};
}

bool CMeraBWBaseDialog::SetControlText(QWidget* w, const QString& text) {
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->pixmap().isNull()) l->setText(text);
    return l->pixmap().isNull();
  }
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->setText(text), true;
  if (auto* g = qobject_cast<QGroupBox*>(w)) return g->setTitle(text), true;
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->setText(text), true;
  if (auto* y = qobject_cast<CYbButton*>(w)) {
    if (y->Button()) y->Button()->setText(text);
    return y->Button() != nullptr;
  }
  return false;
}

std::string CMeraBWBaseDialog::GetDlgItemText(int id) const {
  QWidget* w = GetDlgItem(id);
  return w ? UiText::FromQt(ControlText(w)) : std::string();
}

void CMeraBWBaseDialog::SetDlgItemText(int id, const std::string& text) {
  if (QWidget* w = GetDlgItem(id)) {
    if (auto* n = qobject_cast<CYbNumEdit*>(w)) {
      n->SetWindowText(text);
    } else {
      SetControlText(w, UiText::ToQt(text));
    }
  }
}

std::string CMeraBWBaseDialog::GetWindowText() const { return UiText::FromQt(windowTitle()); }

void CMeraBWBaseDialog::SetWindowText(const std::string& text) { setWindowTitle(UiText::ToQt(text)); }

int CMeraBWBaseDialog::IsDlgButtonChecked(int id) const {
  if (auto* b = Item<CYbButton>(id)) return b->GetCheck();
  if (auto* b = Item<QAbstractButton>(id)) return b->isChecked() ? 1 : 0;
  return 0;
}

void CMeraBWBaseDialog::CheckDlgButton(int id, int check) {
  if (auto* b = Item<CYbButton>(id)) b->SetCheck(check);
}

void CMeraBWBaseDialog::CheckRadioButton(int first, int last, int check) {
  for (int id = first; id <= last; ++id) {
    if (id != check) CheckDlgButton(id, 0);
  }
  CheckDlgButton(check, 1);
}

int CMeraBWBaseDialog::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id) {
    if (IsDlgButtonChecked(id)) return id;
  }
  return 0;
}

void CMeraBWBaseDialog::EnableDlgItem(int id, bool enable) {
  if (QWidget* w = GetDlgItem(id)) w->setEnabled(enable);
}

void CMeraBWBaseDialog::ShowDlgItem(int id, bool show) {
  if (QWidget* w = GetDlgItem(id)) w->setVisible(show);
}
