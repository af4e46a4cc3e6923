#include "tools/DialogModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "tools/CommandError.h"

namespace tools {

namespace {

std::string CommandDir() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

template <typename Fn>
void Resolve(void* handle, const char* name, const std::string& path, Fn& fn) {
  fn = reinterpret_cast<Fn>(::dlsym(handle, name));
  if (fn == nullptr) throw CommandError(CommandError::kFailure, "the dialog module " + path + " has no " + name);
}

}  // namespace

const DialogModule& DialogModule::Get() {
  // A failed load throws out of the initialisation, so a later call tries again.
  static const DialogModule module = Load();
  return module;
}

std::vector<std::string> DialogModule::Places(const std::string& commandDir) {
  const std::filesystem::path dir(commandDir);
  return {(dir / QUORPRN_DIALOG_MODULE).string(),
          (dir / QUORPRN_DIALOG_MODULE_UP / QUORPRN_DIALOG_MODULE).lexically_normal().string()};
}

DialogModule DialogModule::Load() {
  const std::string dir = CommandDir();
  if (dir.empty())
    throw CommandError(CommandError::kFailure,
                       "cannot load the dialogs: the command cannot tell where it is installed");
  const std::vector<std::string> places = Places(dir);
  std::string path;
  for (const std::string& place : places) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(place, ec)) {
      path = place;
      break;
    }
  }
  if (path.empty())
    throw CommandError(CommandError::kFailure, "cannot load the dialogs: no module at " + places.back());
  // Every symbol now, so that a module from another build fails here and not
  // halfway through a dialog.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = ::dlerror();
    throw CommandError(CommandError::kFailure, "cannot load the dialogs: " + std::string(why ? why : path));
  }
  DialogModule module;
  Resolve(handle, "QuorPrnPrinterDlgOpen", path, module.printerDlgOpen);
  Resolve(handle, "QuorPrnFormDlgOpen", path, module.formDlgOpen);
  Resolve(handle, "QuorPrnXdwOutputDlgOpen", path, module.xdwOutputDlgOpen);
  return module;
}

}  // namespace tools
