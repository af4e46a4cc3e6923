// Writes a whole file the command produces (an export, a converted
// template). The bytes go to a file beside the target that is then renamed,
// so an interrupted run never leaves a truncated file under the name asked
// for. A failure throws CommandError with the operating system's cause
// ("No such file or directory", "Permission denied").
#pragma once

#include <string>

namespace tools {

class OutputFile {
 public:
  static void Replace(const std::string& path, const std::string& bytes);
};

}  // namespace tools
