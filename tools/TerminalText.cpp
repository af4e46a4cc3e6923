#include "tools/TerminalText.h"

#include "platform/mbcs/Cp932Converter.h"
#include "tools/CommandError.h"

namespace tools {

std::string TerminalText::ToLibrary(const std::string& utf8, const std::string& what) {
  std::string out, error;
  if (!mbcs::Cp932Converter::FromUtf8(utf8, &out, &error))
    throw CommandError(CommandError::kUsage,
                       what + " \"" + utf8 + "\" cannot be written in code page 932 (" + error + ")");
  return out;
}

std::string TerminalText::ToTerminal(const std::string& cp932) { return mbcs::Cp932Converter::ToUtf8Lossy(cp932); }

}  // namespace tools
