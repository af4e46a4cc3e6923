#include "tools/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tools/CommandError.h"

namespace tools {

void OutputFile::Replace(const std::string& path, const std::string& bytes) {
  const std::string tmp = path + ".tmp";
  auto fail = [&](int error) {
    std::remove(tmp.c_str());
    throw CommandError(CommandError::kFailure, path + ": cannot be written: " + std::strerror(error));
  };
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) fail(errno);
  errno = 0;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
  int error = errno;
  if (std::fclose(f) != 0 && written) written = false, error = errno;
  if (!written) fail(error ? error : EIO);
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    std::remove(tmp.c_str());
    throw CommandError(CommandError::kFailure, path + ": cannot be written: " + ec.message());
  }
}

}  // namespace tools
