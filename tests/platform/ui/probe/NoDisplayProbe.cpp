// Run by the no-display test in a process of its own, because a process that
// has made its QApplication cannot be without one again. Exits 0 when every
// dialog entry refused with the display error instead of letting Qt abort.
//   NoDisplayProbe none   no display at all
//   NoDisplayProbe core   the host made a QCoreApplication, display or not
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/ui/UiApplication.h"
#include "platform/ui/UiMessageBox.h"
#include "quorprn/QuorPrnResult.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  int failures = 0;
  auto expect = [&failures](const char* what, int got) {
    if (got != QUOR_PRN_ERR_DISPLAY) {
      std::fprintf(stderr, "%s gave %d\n", what, got);
      ++failures;
    }
  };
  std::unique_ptr<QCoreApplication> host;
  if (std::strcmp(argv[1], "core") == 0) {
    host = std::make_unique<QCoreApplication>(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  expect("Ensure", UiApplication::Ensure());
  expect("MessageBox", UiMessageBox::Show(nullptr, "x", "y", kMbOk));
  if (!host && QCoreApplication::instance() != nullptr) {
    std::fprintf(stderr, "an application object was made\n");
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
