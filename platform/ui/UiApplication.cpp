// Lazy creation of the QApplication. argc and argv must outlive the object,
// hence the statics; the object itself is deliberately never deleted, since
// a host may still hold widgets or timers on it when the library unloads.
#include "platform/ui/UiApplication.h"

#include <QApplication>
#include <QFont>
#include <cstdlib>

#include "platform/spooler/PropertySheetPrompt.h"
#include "platform/ui/UiPrinterPropertySheet.h"
#include "platform/ui/UiText.h"
#include "quorprn/QuorPrnResult.h"

namespace {

bool Set(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0';
}

// The dialogs name the Windows Japanese fonts; map them onto what a Linux
// desktop usually has, in order of preference.
void InstallFontSubstitutes() {
  const QStringList japanese = {UiText::Literal("VL Gothic"), UiText::Literal("Noto Sans CJK JP"),
                                UiText::Literal("IPAGothic"), UiText::Literal("TakaoGothic"),
                                UiText::Literal("Noto Sans Mono CJK JP")};
  for (const char* face : {"ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS Gothic", "MS UI Gothic", "MS Shell Dlg"}) {
    QFont::insertSubstitutions(UiText::Literal(face), japanese);
  }
}

}  // namespace

int32_t UiApplication::Ensure() {
  static bool fontsReady = false;
  if (QCoreApplication* existing = QCoreApplication::instance()) {
    if (qobject_cast<QApplication*>(existing) == nullptr) return QUOR_PRN_ERR_DISPLAY;
  } else {
    if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY") && !Set("QT_QPA_PLATFORM")) return QUOR_PRN_ERR_DISPLAY;
    static int argc = 1;
    static char name[] = "quorprn";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  if (!fontsReady) {
    InstallFontSubstitutes();
    // From now on a printer's property sheet can be shown.
    spooler::SetPropertySheetPrompt(&UiPrinterPropertySheet::Prompt);
    fontsReady = true;
  }
  return QUOR_PRN_SUCCESS;
}
