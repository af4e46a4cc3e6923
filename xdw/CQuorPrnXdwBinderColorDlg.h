// The binder-colour dialog of the DocuWorks output dialog: a list of the 17
// binder colours with an icon each, Return to take the selected colour,
// Escape to leave the colour as it was. Borrows the caller's names and icons
// (they must outlive the dialog); holds only the colour index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/CYbDialog.h"
#include "platform/ui/CYbListCtrl.h"

class CYbImageList;

class CQuorPrnXdwBinderColorDlg : public CYbDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 31803;
  static constexpr int kIdList = 31718;

  explicit CQuorPrnXdwBinderColorDlg(QWidget* parent = nullptr);

  // Before DoModal: the colour names (code page 932) and their small icons,
  // in colour-index order, and the current colour.
  void SetColorInfo(const std::vector<std::string>& names, const CYbImageList& icons, int32_t colorIndex);
  // After DoModal gave 1, the chosen colour; otherwise the one given.
  int32_t GetColorIndex() const { return m_colorIndex; }

  int NotifyConfirmEvent() override;
  int NotifyCancelEvent() override;

 protected:
  bool OnInitDialog() override;

 private:
  void _takeSelection();

  CYbListCtrl m_list;
  const std::vector<std::string>* m_colorNames = nullptr;
  const CYbImageList* m_icons = nullptr;
  int32_t m_colorIndex = 0;
};
