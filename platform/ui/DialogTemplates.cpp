// The table lives in a function-local static so that registrars in other
// files' static initialisers always find it constructed.
#include "platform/ui/DialogTemplates.h"

#include <map>
#include <memory>

namespace {
std::map<int, std::unique_ptr<DialogTemplate>>& Table() {
  static std::map<int, std::unique_ptr<DialogTemplate>> table;
  return table;
}
}  // namespace

void DialogTemplates::Register(const DialogTemplate& tpl) { Table()[tpl.id] = std::make_unique<DialogTemplate>(tpl); }

const DialogTemplate* DialogTemplates::Find(int id) {
  auto it = Table().find(id);
  return it == Table().end() ? nullptr : it->second.get();
}
