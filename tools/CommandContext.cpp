#include "tools/CommandContext.h"

#include "platform/registry/Registry.h"

namespace tools {

void CommandContext::ApplyGlobalOptions() {
  out.SetJson(json);
  if (!registryPath.empty()) registry::Registry::UseFile(registryPath);
}

}  // namespace tools
