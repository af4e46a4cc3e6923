// Thin wrapper over MeraLocalizeCreateInstance so that dialogs never juggle
// the component object themselves.
#include "platform/ui/UiLocalize.h"

#include "platform/localize/MeraLocalize.h"

namespace {

MeraPtr<CMeraLocalize> Open() {
  CMeraBaseClass* raw = nullptr;
  if (MeraLocalizeCreateInstance(1, &raw) != 1 || raw == nullptr) return nullptr;
  auto* localize = dynamic_cast<CMeraLocalize*>(raw);
  if (localize == nullptr) {
    raw->Release();
    return nullptr;
  }
  return MeraPtr<CMeraLocalize>(localize);
}

}  // namespace

std::string UiLocalize::ControlText(const std::string& key, const std::string& defaultText) {
  MeraPtr<CMeraLocalize> l = Open();
  return l ? l->LocalizeControlText(key, defaultText) : defaultText;
}

std::string UiLocalize::Message(const std::string& key, const std::string& defaultText) {
  MeraPtr<CMeraLocalize> l = Open();
  return l ? l->LocalizeMessage(key, defaultText) : defaultText;
}
