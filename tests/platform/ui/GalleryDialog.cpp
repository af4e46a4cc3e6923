#include "tests/platform/ui/GalleryDialog.h"

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbColorBox.h"
#include "platform/ui/CYbComboBox.h"
#include "platform/ui/CYbListCtrl.h"
#include "platform/ui/CYbNumEdit.h"
#include "platform/ui/CYbSliderCtrl.h"
#include "platform/ui/CYbSpinButtonCtrl.h"
#include "platform/ui/CYbTreeCtrl.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiPictures.h"

namespace uitest {
namespace {

using mbcs::Cp932;

const DialogTemplates::Registrar kRegistered([] {
  DialogTemplate t;
  t.id = kGalleryTemplate;
  t.caption = Cp932("ギャラリー");
  t.cx = 330;
  t.cy = 200;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {kGalGroup, DlgKind::GroupBox, Cp932("見本のグループ"), 6, 4, 318, 70, kDlgGroup},
      {kGalLabel, DlgKind::Static, Cp932("横方向："), 14, 20, 40, 10, 0},
      {kGalNum, DlgKind::NumEdit, "", 56, 18, 40, 12, kDlgGroup},
      {kGalSpin, DlgKind::Spin, "", 96, 18, 10, 12, 0},
      {kGalEdit, DlgKind::Edit, Cp932("テキスト"), 114, 18, 90, 12, 0},
      {kGalCombo, DlgKind::ComboBox, "", 212, 18, 104, 60, 0},
      {kGalCheck, DlgKind::CheckBox, Cp932("縦横比を固定する。"), 14, 38, 90, 10, kDlgGroup},
      {kGalRadio1, DlgKind::RadioButton, Cp932("モノクロ印刷"), 110, 38, 70, 10, kDlgGroup},
      {kGalRadio2, DlgKind::RadioButton, Cp932("カラー印刷"), 184, 38, 70, 10, 0},
      {kGalSlider, DlgKind::Slider, "", 14, 52, 150, 16, kDlgGroup},
      {kGalColour, DlgKind::ColorBox, "", 172, 52, 30, 16, 0},
      {kGalPlaceholder, DlgKind::PushButton, Cp932("ﾌﾟﾛﾊﾟﾃｨ"), 262, 52, 54, 14, kDlgHidden | kDlgDisabled},
      {kGalList, DlgKind::ListReport, "", 6, 80, 120, 114, kDlgGroup},
      {kGalTree, DlgKind::Tree, "", 132, 80, 120, 114, 0},
      {kGalIcon, DlgKind::Icon, "", 262, 80, 24, 24, 0, UiPictures::BinderIconId(3, true)},
      {kGalPicture, DlgKind::Icon, "", 290, 80, 30, 40, 0, UiPictures::kPaperPortrait},
  };
  return t;
}());

}  // namespace

bool GalleryDialog::OnInitDialog() {
  CYbDialog::OnInitDialog();
  auto* num = Item<CYbNumEdit>(kGalNum);
  num->InitEdit(kNumEditNumeric | kNumEditSigned, 0, 3, 1, -999.9, 999.9);
  num->SetWindowTextValue(-1.5);
  Item<CYbSpinButtonCtrl>(kGalSpin)->SetBuddy(num);
  auto* combo = Item<CYbComboBox>(kGalCombo);
  combo->AddString(Cp932("プリンタプロパティに従う"));
  combo->AddString("A4");
  combo->SetCurSel(0);
  CheckDlgButton(kGalCheck, 1);
  CheckRadioButton(kGalRadio1, kGalRadio2, kGalRadio2);
  auto* slider = Item<CYbSliderCtrl>(kGalSlider);
  slider->SetRange(0, 255);
  slider->SetTicFreq(16);
  slider->SetPos(128);
  Item<CYbColorBox>(kGalColour)->SetColor(0x0080FF);

  small.Create(16, 16);
  for (int i = 0; i < UiPictures::kBinderColours; ++i) small.AddPicture(UiPictures::BinderIconId(i, false));
  auto* list = Item<CYbListCtrl>(kGalList);
  list->InsertColumn(0, Cp932("色"), 0, 150);
  list->SetImageList(&small);
  const char* names[] = {"標準の色", "紺", "緑", "青", "黄色", "オレンジ", "赤", "赤紫", "ピンク"};
  for (int i = 0; i < 9; ++i) list->InsertItem(i, Cp932(names[i]), i);
  list->SetItemState(3, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);

  folders.Create(16, 16);
  folders.AddPicture(UiPictures::kFolderRoot);
  folders.AddPicture(UiPictures::kFolderUser);
  folders.AddPicture(UiPictures::kFolder);
  auto* tree = Item<CYbTreeCtrl>(kGalTree);
  tree->SetImageList(&folders);
  HTREEITEM root = tree->InsertItem("DocuWorks Desk", 0, 0, -1, nullptr);
  HTREEITEM user = tree->InsertItem(Cp932("ユーザーフォルダ"), 1, 1, 0, root);
  tree->InsertItem(Cp932("請求書"), 2, 2, 1, user);
  tree->InsertItem(Cp932("リンクフォルダ"), 2, 2, -1, root);
  tree->Expand(root, true);
  tree->Expand(user, true);

  button.CreateOver(this, kGalPlaceholder, kGalButton);

  SetFuncStyle(1);
  SetFuncBtn(kVkF1, Cp932("ヘルプ"), 0);
  SetFuncBtn(kVkF6, Cp932("ﾌﾟﾛﾊﾟﾃｨ"), 0);
  SetFuncBtn(kVkF9, Cp932("初期値"), 0);
  SetFuncBtn(kVkReturn, Cp932("確定"), 0);
  SetFuncBtn(kVkEscape, Cp932("ｷｬﾝｾﾙ"), 0);
  SetFuncAutoArrange(1);

  SetLocalizeDialogID("IDD_QUORPRN_GALLERY");
  LocalizeDialog();
  LocalizeControl(kGalGroup, "IDC_STATIC_001");
  LocalizeControl(kGalCheck, "IDC_CHK_FIX");
  LocalizeControl(kGalRadio2, "IDC_RADIO_COLOR");
  LocalizeControl(kGalEdit, "IDC_EDIT_SAMPLE");
  LocalizeControl(kGalButton, "IDC_BTN_PROPERTY");
  LocalizeFunc(kVkF1, "VK_F1");
  LocalizeFunc(kVkReturn, "VK_RETURN");
  LocalizeFunc(kVkEscape, "VK_ESCAPE");
  return true;
}

}  // namespace uitest
