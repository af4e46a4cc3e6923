// Holds the process's property-sheet prompt. The prompt runs a modal window,
// so callers take a copy and call it with no lock held.
#include "platform/spooler/PropertySheetPrompt.h"

#include <mutex>

namespace spooler {
namespace {

std::mutex g_promptMutex;

PropertySheetPrompt& Installed() {
  static auto* prompt = new PropertySheetPrompt();
  return *prompt;
}

}  // namespace

void SetPropertySheetPrompt(PropertySheetPrompt prompt) {
  std::lock_guard<std::mutex> lock(g_promptMutex);
  Installed() = std::move(prompt);
}

PropertySheetPrompt CurrentPropertySheetPrompt() {
  std::lock_guard<std::mutex> lock(g_promptMutex);
  return Installed();
}

}  // namespace spooler
