#include "xdw/CQuorPrnXdwBinderColorDlg.h"

#include "platform/mbcs/Cp932Converter.h"
#include "platform/ui/CYbImageList.h"
#include "platform/ui/DialogTemplates.h"
#include "platform/ui/UiKeys.h"
#include "platform/ui/UiLocalize.h"

namespace {

using mbcs::Cp932;

const DialogTemplates::Registrar kTemplate([] {
  DialogTemplate t;
  t.id = CQuorPrnXdwBinderColorDlg::kTemplateId;
  t.caption = Cp932("バインダーの色指定");
  t.cx = 228;
  t.cy = 228;
  t.fontFace = Cp932("ＭＳ ゴシック");
  t.pointSize = 9;
  t.controls = {
      {CQuorPrnXdwBinderColorDlg::kIdList, DlgKind::ListReport, "", 7, 6, 169, 216, kDlgGroup},
  };
  return t;
}());

}  // namespace

CQuorPrnXdwBinderColorDlg::CQuorPrnXdwBinderColorDlg(QWidget* parent) : CYbDialog(kTemplateId, parent) {
  BindControl(kIdList, &m_list);
  connect(&m_list, &CYbListCtrl::rowDoubleClicked, this, [this](int) {
    _takeSelection();
    EndDialog(1);
  });
}

void CQuorPrnXdwBinderColorDlg::SetColorInfo(const std::vector<std::string>& names, const CYbImageList& icons,
                                             int32_t colorIndex) {
  m_colorNames = &names;
  m_icons = &icons;
  m_colorIndex = colorIndex;
}

bool CQuorPrnXdwBinderColorDlg::OnInitDialog() {
  CYbDialog::OnInitDialog();
  m_list.SetExtendedStyle(kLvsExFullRowSelect);
  m_list.InsertColumn(0, UiLocalize::ControlText("XDWNAME_COLORLIST_HEADER", Cp932("色")), /*align=*/0,
                      /*width=*/220);
  if (m_icons) m_list.SetImageList(m_icons);
  if (m_colorNames) {
    for (size_t i = 0; i < m_colorNames->size(); ++i) {
      m_list.InsertItem(static_cast<int>(i), (*m_colorNames)[i], static_cast<int>(i));
    }
  }
  m_list.SetItemState(m_colorIndex, kLvisSelected | kLvisFocused, kLvisSelected | kLvisFocused);
  m_list.EnsureVisible(m_colorIndex);

  SetFuncStyle(2);
  SetFuncBtn(kVkReturn, Cp932("確定"), 0);
  SetFuncBtn(kVkEscape, Cp932("ｷｬﾝｾﾙ"), 0);
  SetFuncAutoArrange(1);

  SetLocalizeDialogID("IDD_QUORPRN_XDWBINDERCOLORDLG");
  LocalizeDialog();
  LocalizeControl(kIdList, "IDC_LIST_XDW_COLOR");
  LocalizeFunc(kVkReturn, "VK_RETURN");
  LocalizeFunc(kVkEscape, "VK_ESCAPE");
  m_list.setFocus();
  return true;
}

// With no row selected the colour stays as it was.
void CQuorPrnXdwBinderColorDlg::_takeSelection() {
  UpdateData(true);
  const int row = m_list.GetNextSelectedItem(-1);
  if (row >= 0) m_colorIndex = row;
}

int CQuorPrnXdwBinderColorDlg::NotifyConfirmEvent() {
  _takeSelection();
  return 1;
}

int CQuorPrnXdwBinderColorDlg::NotifyCancelEvent() { return 1; }
