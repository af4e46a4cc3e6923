// The colour and browse buttons are made at start over hidden template
// buttons; their clicks arrive as NotifyClickedEvent, and the same actions
// are mapped from OnCommand and from F9 and F3, each route running its action
// once.
#include "xdw/CQuorPrnXdwOutputDlg.h"

#include <QLabel>
#include <algorithm>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiLocalize.h"
#include "platform/ui/UiMessageBox.h"
#include "platform/ui/UiPictures.h"
#include "xdw/CQuorPrnXdwBinderColorDlg.h"
#include "xdw/CQuorPrnXdwFolderDlg.h"

namespace {

using mbcs::Cp932;
using Dlg = CQuorPrnXdwOutputDlg;

constexpr int kLargeIconSize = 48;

const DialogTemplates::Registrar kTemplate([] {
  DialogTemplate t;
  t.id = Dlg::kTemplateId;
  t.caption = Cp932("設定");
  t.cx = 406;
  t.cy = 253;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {31701, DlgKind::GroupBox, Cp932("出力形式の指定"), 10, 8, 386, 96, kDlgGroup},
      {31702, DlgKind::Static,
       Cp932("極光シリーズから「DocuWorks形式」のファイルを出力する際のDocuWorksファイルの形式を指定します。"), 18, 26,
       377, 10, 0},
      {Dlg::kIdIconSeparate, DlgKind::Icon, "", 46, 44, 20, 20, 0, UiPictures::kOutputSeparate},
      {Dlg::kIdIconCombined, DlgKind::Icon, "", 140, 44, 20, 20, 0, UiPictures::kOutputCombined},
      {Dlg::kIdIconBinder, DlgKind::Icon, "", 234, 44, 20, 20, 0, 31730},
      {Dlg::kIdRadioSeparate, DlgKind::RadioButton, Cp932("ばらして出力"), 30, 82, 63, 9, kDlgGroup},
      {Dlg::kIdRadioCombined, DlgKind::RadioButton, Cp932("束ねて出力"), 127, 82, 63, 9, 0},
      {Dlg::kIdRadioBinder, DlgKind::RadioButton, Cp932("バインダー文書として出力"), 196, 82, 112, 9, 0},
      {Dlg::kIdColorPlaceholder, DlgKind::PushButton, Cp932("色設定"), 308, 80, 38, 14,
       kDlgGroup | kDlgHidden | kDlgDisabled},
      {31703, DlgKind::GroupBox, Cp932("出力先の指定"), 9, 113, 386, 104, kDlgGroup},
      {31704, DlgKind::Static, Cp932("DocuWorksファイルの出力先を指定します。"), 18, 130, 171, 10, 0},
      {Dlg::kIdRadioFolder, DlgKind::RadioButton, Cp932("以下のフォルダにファイルを出力する"), 25, 146, 158, 9,
       kDlgGroup},
      {Dlg::kIdRadioInput, DlgKind::RadioButton, Cp932("指定した名称でファイルを出力する"), 24, 199, 158, 9, 0},
      {Dlg::kIdEditFolder, DlgKind::Edit, "", 34, 161, 311, 14, kDlgGroup},
      {Dlg::kIdCheckCustomer, DlgKind::CheckBox, Cp932("出力時に事業者ごとにフォルダを生成する"), 33, 179, 168, 10,
       kDlgGroup},
      {Dlg::kIdBrowsePlaceholder, DlgKind::PushButton, Cp932("参照"), 347, 161, 29, 14,
       kDlgGroup | kDlgHidden | kDlgDisabled},
  };
  return t;
}());

struct BinderColour {
  const char* key;
  const char* name;
};

// In colour-index order: the index is what "XdwColorType" stores.
constexpr BinderColour kColours[UiPictures::kBinderColours] = {
    {"XDWCOLORTYPE_NONE", "標準の色"}, {"XDWCOLORTYPE_NAVY", "紺"},       {"XDWCOLORTYPE_GREEN", "緑"},
    {"XDWCOLORTYPE_BLUE", "青"},       {"XDWCOLORTYPE_YELLOW", "黄色"},   {"XDWCOLORTYPE_ORANGE", "オレンジ"},
    {"XDWCOLORTYPE_RED", "赤"},        {"XDWCOLORTYPE_MAGENTA", "赤紫"},  {"XDWCOLORTYPE_PINK", "ピンク"},
    {"XDWCOLORTYPE_PURPLE", "紫"},     {"XDWCOLORTYPE_BROWN", "茶"},      {"XDWCOLORTYPE_OLIVE", "オリーブ"},
    {"XDWCOLORTYPE_LIME", "黄緑"},     {"XDWCOLORTYPE_SKYBLUE", "水色"},  {"XDWCOLORTYPE_CREAM", "クリーム"},
    {"XDWCOLORTYPE_GRAY", "灰色"},     {"XDWCOLORTYPE_WHITE", "白"},
};

}  // namespace

CQuorPrnXdwOutputDlg::CQuorPrnXdwOutputDlg(QWidget* parent) : CYbDialog(kTemplateId, parent) {
  BindControl(kIdRadioSeparate, &m_radioSeparate);
  BindControl(kIdRadioCombined, &m_radioCombined);
  BindControl(kIdRadioBinder, &m_radioBinder);
  BindControl(kIdRadioFolder, &m_radioFolder);
  BindControl(kIdRadioInput, &m_radioInput);
  BindControl(kIdCheckCustomer, &m_checkCustomer);
  BindControl(kIdEditFolder, &m_editFolder);
}

bool CQuorPrnXdwOutputDlg::OnInitDialog() {
  CYbDialog::OnInitDialog();
  DdxRadio(kIdRadioSeparate, &m_printChoice);
  DdxRadio(kIdRadioFolder, &m_outputChoice);
  DdxCheck(kIdCheckCustomer, &m_customerChecked);
  DdxText(kIdEditFolder, &m_folderText);

  const CMeraPrnXdwOutputInfo info = m_xdwInfo.GetOutputInfo("");
  switch (info.GetPrintType()) {
    case MeraPrnXdwPrintSeparate: CheckRadioButton(kIdRadioSeparate, kIdRadioBinder, kIdRadioSeparate); break;
    case MeraPrnXdwPrintBundle: CheckRadioButton(kIdRadioSeparate, kIdRadioBinder, kIdRadioCombined); break;
    default: CheckRadioButton(kIdRadioSeparate, kIdRadioBinder, kIdRadioBinder); break;
  }
  switch (info.GetOutputType()) {
    case MeraPrnXdwOutputCustomerFolder:
      m_checkCustomer.SetCheck(1);
      CheckRadioButton(kIdRadioFolder, kIdRadioInput, kIdRadioFolder);
      break;
    case MeraPrnXdwOutputInputFolder:
      m_checkCustomer.SetCheck(1);
      CheckRadioButton(kIdRadioFolder, kIdRadioInput, kIdRadioInput);
      break;
    default:
      m_checkCustomer.SetCheck(0);
      CheckRadioButton(kIdRadioFolder, kIdRadioInput, kIdRadioFolder);
      break;
  }
  if (m_showCustomerFolder == 0) {
    m_checkCustomer.SetCheck(0);
    m_checkCustomer.hide();
  }
  m_editFolder.setReadOnly(true);
  m_editFolder.SetWindowText(info.GetFolderPath());

  SetFuncStyle(1);
  SetFuncBtn(kVkF1, Cp932("ヘルプ"), 0);
  SetFuncBtn(kVkF3, Cp932("参照"), 0);
  SetFuncBtn(kVkF9, Cp932("色設定"), 0);
  SetFuncBtn(kVkReturn, Cp932("確定"), 0);
  SetFuncBtn(kVkEscape, Cp932("ｷｬﾝｾﾙ"), 0);
  SetFuncAutoArrange(1);

  m_colorButton.CreateOver(this, kIdColorPlaceholder, kIdColorButton);
  m_browseButton.CreateOver(this, kIdBrowsePlaceholder, kIdBrowseButton);
  _enableFolder();
  _enableColor();

  m_largeIcons.Create(kLargeIconSize, kLargeIconSize);
  const int small = UiPictures::SmallIconSize();
  m_smallIcons.Create(small, small);
  m_colorNames.clear();
  for (int i = 0; i < UiPictures::kBinderColours; ++i) {
    m_largeIcons.AddPicture(UiPictures::BinderIconId(i, /*large=*/true));
    m_smallIcons.AddPicture(UiPictures::BinderIconId(i, /*large=*/false));
    m_colorNames.push_back(UiLocalize::ControlText(kColours[i].key, Cp932(kColours[i].name)));
  }
  m_colorIndex = info.GetColorType();
  _showBinderIcon();

  SetLocalizeDialogID("IDD_QUORPRN_XDWOUTPUTDLG");
  LocalizeDialog();
  LocalizeControl(31701, "IDC_STATIC_001");
  LocalizeControl(31702, "IDC_STATIC_002");
  LocalizeControl(kIdRadioSeparate, "IDC_RADIO_XDW_SIMPLE");
  LocalizeControl(kIdRadioCombined, "IDC_RADIO_XDW_BUNDLE");
  LocalizeControl(kIdRadioBinder, "IDC_RADIO_XDW_BINDER");
  LocalizeControl(kIdColorButton, "IDC_BTN_XDW_COLOR");
  LocalizeControl(31703, "IDC_STATIC_003");
  LocalizeControl(31704, "IDC_STATIC_004");
  LocalizeControl(kIdRadioInput, "IDC_RADIO_XDW_OUTPUT_INPUT");
  LocalizeControl(kIdRadioFolder, "IDC_RADIO_XDW_OUTPUT_FOLDER");
  LocalizeControl(kIdEditFolder, "IDC_EDIT_XDW_FOLDER");
  LocalizeControl(kIdBrowseButton, "IDC_BTN_XDW_FOLDER");
  LocalizeControl(kIdCheckCustomer, "IDC_CHK_XDW_OUTPUT_CUSTOMER");
  LocalizeFunc(kVkF1, "VK_F1");
  LocalizeFunc(kVkF3, "VK_F3");
  LocalizeFunc(kVkF9, "VK_F9");
  LocalizeFunc(kVkReturn, "VK_RETURN");
  LocalizeFunc(kVkEscape, "VK_ESCAPE");
  return true;
}

void CQuorPrnXdwOutputDlg::_enableFolder() {
  const bool folder = IsDlgButtonChecked(kIdRadioFolder) != 0;
  m_browseButton.SetAttribute(folder);
  ChangeAttribute(kVkF3, folder);
  m_checkCustomer.setEnabled(folder);
  m_editFolder.setEnabled(folder);
}

void CQuorPrnXdwOutputDlg::_enableColor() {
  const bool binder = IsDlgButtonChecked(kIdRadioBinder) != 0;
  m_colorButton.SetAttribute(binder);
  ChangeAttribute(kVkF9, binder);
}

void CQuorPrnXdwOutputDlg::_showBinderIcon() {
  auto* icon = Item<QLabel>(kIdIconBinder);
  const QPixmap large = m_largeIcons.Pixmap(m_colorIndex);
  if (icon == nullptr || large.isNull()) return;
  const int side = std::min(icon->width(), icon->height());
  icon->setPixmap(large.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void CQuorPrnXdwOutputDlg::_runColorAction() {
  CQuorPrnXdwBinderColorDlg dlg(this);
  dlg.SetColorInfo(m_colorNames, m_smallIcons, m_colorIndex);
  if (dlg.DoModal() != 1) return;
  m_colorIndex = dlg.GetColorIndex();
  _showBinderIcon();
}

void CQuorPrnXdwOutputDlg::_runBrowseAction() {
  CQuorPrnXdwFolderDlg dlg(this);
  dlg.SetFolderPath(m_editFolder.GetWindowText());
  if (dlg.DoModal() == 1) m_editFolder.SetWindowText(dlg.GetFolderPath());
}

void CQuorPrnXdwOutputDlg::OnCommand(int id) {
  switch (id) {
    case kIdColorButton: _runColorAction(); break;
    case kIdBrowseButton: _runBrowseAction(); break;
    case kIdRadioSeparate:
    case kIdRadioCombined:
    case kIdRadioBinder: _enableColor(); break;
    case kIdRadioFolder:
    case kIdRadioInput: _enableFolder(); break;
    default: CYbDialog::OnCommand(id); break;
  }
}

int CQuorPrnXdwOutputDlg::NotifyClickedEvent(int id) {
  if (id == kIdColorButton) _runColorAction();
  if (id == kIdBrowseButton) _runBrowseAction();
  return 1;
}

int CQuorPrnXdwOutputDlg::NotifyFunctionEvent(int key) {
  if (key == kVkF3) {
    _runBrowseAction();
    return 0;
  }
  if (key == kVkF9) {
    _runColorAction();
    return 0;
  }
  return 1;
}

uint32_t CQuorPrnXdwOutputDlg::NotifyHelpPreEvent(int) { return static_cast<uint32_t>(m_helpId); }

int CQuorPrnXdwOutputDlg::NotifyCancelEvent() { return 1; }

int CQuorPrnXdwOutputDlg::NotifyConfirmEvent() {
  UpdateData(true);
  int32_t printType = m_printChoice == 1 ? MeraPrnXdwPrintBundle : MeraPrnXdwPrintSeparate;
  if (m_printChoice == 2) printType = MeraPrnXdwPrintBinder;
  int32_t outputType = MeraPrnXdwOutputInputFolder;
  if (m_outputChoice == 0) outputType = m_customerChecked ? MeraPrnXdwOutputCustomerFolder : MeraPrnXdwOutputFolder;

  if (outputType != MeraPrnXdwOutputInputFolder && m_folderText.empty()) {
    UiMessageBox::Show(this, UiLocalize::Message("XDWMESSAGE_OUTPUT_NONE", Cp932("出力先が指定されていません。")),
                       GetWindowText(), kMbOk | kMbIconExclamation);
    m_editFolder.setFocus();
    return 0;
  }
  CMeraPrnXdwOutputInfo info;
  info.Initialize(static_cast<MeraPrnXdwPrintType>(printType), static_cast<MeraPrnXdwColorType>(m_colorIndex),
                  static_cast<MeraPrnXdwOutputType>(outputType), m_folderText, "", "", "", "");
  // A failed write is not reported: the dialog closes as confirmed, with the
  // settings left as they were.
  m_xdwInfo._UpdateRegistryWhole(info);
  return 1;
}
