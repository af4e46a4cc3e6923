// The table lives in a function-local static so that registrars in other
// files' static initialisers always find it constructed.
#include "platform/ui/DialogTemplates.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace {
std::map<int, std::unique_ptr<DialogTemplate>>& Table() {
  static std::map<int, std::unique_ptr<DialogTemplate>> table;
  return table;
}
}  // namespace

void DialogTemplates::Register(const DialogTemplate& tpl) {
  auto [it, added] = Table().try_emplace(tpl.id);
  if (!added) throw std::logic_error("dialog template " + std::to_string(tpl.id) + " is registered twice");
  it->second = std::make_unique<DialogTemplate>(tpl);
}

const DialogTemplate* DialogTemplates::Find(int id) {
  auto it = Table().find(id);
  return it == Table().end() ? nullptr : it->second.get();
}
