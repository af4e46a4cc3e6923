// The sheet always writes into a block of the size the printer asks for, with
// the copy (whatever its size or origin) only as input: a copy taken from the
// caller may be smaller than what this printer's driver fills. The copy is
// replaced only once the sheet has answered, so a printer that fails midway
// leaves the dialog as it was.
#include "dialogs/CQuorPrnDevModeCopy.h"

#include <cstring>

#include "meraprn/CPrnDevMode.h"
#include "platform/spooler/WinSpool.h"

namespace {

// Closes the printer once, on every path.
class OpenedPrinter {
 public:
  explicit OpenedPrinter(const std::string& name) {
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
    if (OpenPrinterA(name.c_str(), &handle_, &defaults) == 0) handle_ = nullptr;
  }
  ~OpenedPrinter() {
    if (handle_ != nullptr) ClosePrinter(handle_);
  }
  OpenedPrinter(const OpenedPrinter&) = delete;
  OpenedPrinter& operator=(const OpenedPrinter&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

DEVMODEA* AsDevMode(std::vector<unsigned char>& block) { return reinterpret_cast<DEVMODEA*>(block.data()); }

}  // namespace

void CQuorPrnDevModeCopy::TakeFrom(CPrnDevMode& holder) {
  m_block.clear();
  DEVMODEA* held = nullptr;
  const int32_t size = holder.GetDevMode(held);
  if (held == nullptr || size <= 0) return;
  const auto* bytes = reinterpret_cast<const unsigned char*>(held);
  m_block.assign(bytes, bytes + size);
}

const DEVMODEA* CQuorPrnDevModeCopy::Block() const {
  return m_block.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(m_block.data());
}

int32_t CQuorPrnDevModeCopy::EditInPropertySheet(void* window, const std::string& printerName) {
  constexpr int32_t kFailed = -1;
  OpenedPrinter printer(printerName);
  if (printer.Get() == nullptr) return kFailed;
  std::vector<unsigned char> name(printerName.begin(), printerName.end());
  name.push_back('\0');
  char* device = reinterpret_cast<char*>(name.data());

  const int32_t size = DocumentPropertiesA(window, printer.Get(), device, nullptr, nullptr, 0);
  if (size < static_cast<int32_t>(sizeof(DEVMODEA))) return kFailed;
  // Without a copy (or with one too short to carry its own header) the sheet
  // starts from the printer's current properties.
  std::vector<unsigned char> input = m_block;
  if (input.size() < sizeof(DEVMODEA)) {
    input.assign(static_cast<size_t>(size), 0);
    if (DocumentPropertiesA(window, printer.Get(), device, AsDevMode(input), nullptr, DM_OUT_BUFFER) != IDOK) {
      return kFailed;
    }
  }
  std::vector<unsigned char> output(static_cast<size_t>(size), 0);
  const int32_t answer = DocumentPropertiesA(window, printer.Get(), device, AsDevMode(output), AsDevMode(input),
                                             DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER);
  if (answer != IDOK && answer != IDCANCEL) return kFailed;
  m_block = std::move(output);
  return answer;
}

void CQuorPrnDevModeCopy::HandTo(CPrnDevMode& holder) const {
  holder.Init();
  if (!m_block.empty()) holder.SetDevMode(Block(), Size());
}
