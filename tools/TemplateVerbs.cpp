#include "tools/TemplateVerbs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/merabase/MeraBpString64.h"
#include "tools/CommandError.h"

namespace tools {
namespace {

constexpr uintmax_t kMaxTemplateBytes = uintmax_t{64} << 20;

std::string ReadFile(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) throw CommandError(CommandError::kFailure, path + ": " + ec.message());
  if (size > kMaxTemplateBytes) throw CommandError(CommandError::kFailure, path + ": too large for a template file");
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  if (!in) throw CommandError(CommandError::kFailure, path + ": cannot be read");
  return s.str();
}

// Template lines end with CR LF; a last line without one keeps having none.
std::vector<std::string> SplitLines(const std::string& text, bool* finalNewline) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back(text.substr(start));
      *finalNewline = false;
      return lines;
    }
    size_t end = nl > start && text[nl - 1] == '\r' ? nl - 1 : nl;
    lines.push_back(text.substr(start, end - start));
    start = nl + 1;
  }
  *finalNewline = true;
  return lines;
}

}  // namespace

void TemplateVerbs::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* tpl = app.add_subcommand("template", "form template files (.TPT plain, .TPTX line-encoded)");
  tpl->require_subcommand(1);
  CLI::App* enc = tpl->add_subcommand("encode", "write the line-encoded form (.TPTX) of a plain template file");
  enc->add_option("IN", in_, "plain template file")->required();
  enc->add_option("OUT", out_, "encoded file to write")->required();
  enc->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Code(c, true); }); });
  CLI::App* dec = tpl->add_subcommand("decode", "write the plain form (.TPT) of a line-encoded template file");
  dec->add_option("IN", in_, "encoded template file")->required();
  dec->add_option("OUT", out_, "plain file to write")->required();
  dec->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Code(c, false); }); });
}

int TemplateVerbs::Code(CommandContext& ctx, bool encode) {
  bool finalNewline = true;
  std::vector<std::string> lines = SplitLines(ReadFile(in_), &finalNewline);
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string converted;
    if (encode) {
      converted = MeraBpStringEncode64(lines[i]);
    } else if (!MeraBpStringDecode64(lines[i], &converted)) {
      // Nothing is written: a half-decoded template would read as a valid one.
      return ctx.out.Fail(CommandError::kFailure,
                          in_ + ":" + std::to_string(i + 1) + ": not an encoded template line; nothing written");
    }
    out += converted;
    if (i + 1 < lines.size() || finalNewline) out += "\r\n";
  }
  std::string tmp = out_ + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    f.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!f) {
      std::remove(tmp.c_str());
      return ctx.out.Fail(CommandError::kFailure, out_ + ": cannot be written");
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, out_, ec);
  if (ec) return ctx.out.Fail(CommandError::kFailure, out_ + ": " + ec.message());
  ctx.out.Data()["lines"] = lines.size();
  ctx.out.Text((encode ? "encoded " : "decoded ") + std::to_string(lines.size()) + " lines into " + out_);
  return ctx.out.Success();
}

}  // namespace tools
