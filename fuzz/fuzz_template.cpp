// The form template reader on arbitrary file contents and form names. The
// input is the file's bytes, optionally followed by a NUL and the form name
// and by a second NUL and a byte that sets the reader's block size (1 to 256
// bytes), so that lines cross the reader's block ends without a file of the
// default block's size per case. Without a form name the first section's
// name is used, so that the seed templates reach section bodies.
//
// The same lines are also written as an encoded file and reached through the
// plain-name fallback, read with the default block: both reads must agree to
// the last field. The raw bytes are read as an encoded file too, where nearly
// every line fails to decode. The three files live in one memory-backed
// folder under fixed names, so the name fallback always searches the same
// small folder.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/merabase/MeraBpString64.h"
#include "printer/CQuorPrnFormTemplate.h"

namespace {

struct Scratch {
  std::string dir;
  std::string plain, encoded, encodedAsPlain, raw;
  Scratch() {
    // Memory-backed where there is one: a disk would make every case wait.
    char shm[] = "/dev/shm/fuzz_template_XXXXXX";
    char tmp[] = "/tmp/fuzz_template_XXXXXX";
    char* tmpl = mkdtemp(shm);
    if (!tmpl) tmpl = mkdtemp(tmp);
    if (!tmpl) std::abort();
    dir = tmpl;
    plain = dir + "/p.TPT";
    encoded = dir + "/e.TPTX";
    encodedAsPlain = dir + "/e.TPT";  // absent: the reader falls back to e.TPTX
    raw = dir + "/r.TPTX";
  }
  ~Scratch() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

Scratch& Files() {
  static Scratch s;
  return s;
}

void Write(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
  std::fclose(f);
}

// Lines as the reader splits them: at LF, with a CR cut only before an LF.
std::string EncodeLines(std::string_view text) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t lf = text.find('\n', start);
    std::string_view line = lf == std::string_view::npos ? text.substr(start) : text.substr(start, lf - start);
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    out += MeraBpStringEncode64(std::string(line));
    out += "\r\n";
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
  return out;
}

std::string FirstSectionName(std::string_view text) {
  size_t at = text.find("/PAGEINF ");
  if (at == std::string_view::npos) return "FORM";
  size_t start = at + 9;
  size_t end = start;
  while (end < text.size() && text[end] != ' ' && text[end] != '\n' && text[end] != '\r') ++end;
  return std::string(text.substr(start, end - start));
}

bool Same(const CQuorPrnFormTemplate::Page& a, const CQuorPrnFormTemplate::Page& b) {
  return a.paperName == b.paperName && a.paperNo == b.paperNo && a.portrait == b.portrait &&
         a.tableWidth == b.tableWidth && a.tableLength == b.tableLength && a.fileWidth == b.fileWidth &&
         a.fileLength == b.fileLength;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view in(reinterpret_cast<const char*>(data), size);
  std::string_view text = in;
  std::string form;
  size_t blockSize = 4096;
  size_t nul = in.find('\0');
  if (nul != std::string_view::npos) {
    text = in.substr(0, nul);
    std::string_view rest = in.substr(nul + 1);
    size_t nul2 = rest.find('\0');
    form = std::string(rest.substr(0, nul2));
    if (nul2 != std::string_view::npos && nul2 + 1 < rest.size()) {
      blockSize = 1 + static_cast<unsigned char>(rest[nul2 + 1]);
    }
  } else {
    form = FirstSectionName(text);
  }
  const std::string body(text);

  Scratch& files = Files();
  Write(files.plain, body);
  Write(files.encoded, EncodeLines(body));
  Write(files.raw, body);

  CQuorPrnFormTemplate small(blockSize), reader;
  CQuorPrnFormTemplate::Page plainPage, encodedPage, rawPage;
  int32_t plainRc = small.Read(files.plain, form, &plainPage);
  if (plainRc != 1 && plainRc != 130) std::abort();
  if (small.IsEncoded()) std::abort();

  int32_t encodedRc = reader.Read(files.encodedAsPlain, form, &encodedPage);
  if (!reader.IsEncoded() || reader.ResolvedPath() != files.encoded) std::abort();
  if (encodedRc != plainRc || (plainRc == 1 && !Same(plainPage, encodedPage))) std::abort();

  int32_t rawRc = small.Read(files.raw, form, &rawPage);
  if (rawRc != 1 && rawRc != 130) std::abort();
  return 0;
}
