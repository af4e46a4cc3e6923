// The Qt application object that the dialogs need. A host that already runs a
// QApplication keeps it; a host without one gets one made on the first dialog
// and kept until the process ends (Qt cannot be started twice). Never creates
// anything when there is nothing to show on: Qt would abort the host.
#pragma once

#include <cstdint>

class UiApplication {
 public:
  // QUOR_PRN_SUCCESS when widgets can be shown on this thread;
  // QUOR_PRN_ERR_DISPLAY when there is no display (no DISPLAY, WAYLAND_DISPLAY
  // or QT_QPA_PLATFORM) or the host's application object is not a QApplication.
  static int32_t Ensure();
};
