// What the list and the tree control share: a QTreeWidget that tells a change
// the user made (mouse or keys) from one made by code, reports the focus
// moving to another control, and shows icons from an image list it does not
// own (the caller keeps it alive while the control shows).
#pragma once

#include <QTreeWidget>

class CYbImageList;

class CYbItemView : public QTreeWidget {
  Q_OBJECT
 public:
  void SetImageList(const CYbImageList* images);

 signals:
  void focusLost();

 protected:
  explicit CYbItemView(QWidget* parent);

  // Mouse events on the rows and key presses count as the user's.
  bool viewportEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

  // Runs `report` (which emits a user-only signal) when the change came from
  // the user, and as code's while it runs: a handler that selects by code
  // must not be taken for the user again.
  template <class Report>
  void ReportUserChange(Report report) {
    if (userInput_ == 0) return;
    const int depth = userInput_;
    userInput_ = 0;
    report();
    userInput_ = depth;
  }
  const CYbImageList* Images() const { return images_; }

 private:
  int userInput_ = 0;
  const CYbImageList* images_ = nullptr;
};
