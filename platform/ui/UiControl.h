// Control ids on widgets: the dialog base stamps each control it makes (and
// each CYbPushBtn created at run time) with its id, so that a dialog can find
// its controls by id and a control can tell its dialog who it is.
#pragma once

class QWidget;
class QFocusEvent;
class CYbDialog;

class UiControl {
 public:
  static void SetId(QWidget* w, int id);
  // 0 for a widget without an id.
  static int Id(const QWidget* w);
  // The id of w or of the nearest ancestor that has one, below its window.
  static int OwningId(const QWidget* w);
  // The CYbDialog that w lives in, or null.
  static CYbDialog* Dialog(QWidget* w);
  // True when the focus really moves to another control or window: not when
  // the window merely became inactive or a control's own popup opened.
  static bool FocusMovedAway(const QFocusEvent* e);
};
