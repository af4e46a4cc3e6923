// The busy cursor for the length of a scope: shown when the object is made,
// taken back when it is destroyed, so every early return and every exception
// of a long operation (opening a dialog, reading a printer) restores the
// cursor the user had. Objects nest. Does nothing without a QApplication
// (a host without a display never sees a cursor anyway). GUI thread only.
#pragma once

class UiWaitCursor {
 public:
  UiWaitCursor();
  ~UiWaitCursor();
  UiWaitCursor(const UiWaitCursor&) = delete;
  UiWaitCursor& operator=(const UiWaitCursor&) = delete;

  // Takes the cursor back before the end of the scope (as when the dialog
  // shows); the destructor then does nothing.
  void Restore();
  // True while a UiWaitCursor anywhere shows the busy cursor.
  static bool IsShowing();

 private:
  bool active_ = false;
};
