#include "tools/TemplateVerbs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/merabase/MeraBpString64.h"
#include "printer/CQuorPrnFormTemplate.h"
#include "quorprn/QuorPrnResult.h"
#include "tools/CommandError.h"
#include "tools/OutputFile.h"
#include "tools/TerminalText.h"

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
  CLI::App* show = tpl->add_subcommand("show", "what the library's template reader decodes for FORM");
  show->add_option("FILE", in_, "template file (.TPT; a missing .TPT falls back to .TPTX)")->required();
  show->add_option("FORM", form_, "form name")->required();
  show->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Show(c); }, /*readsPrinters=*/false); });
  CLI::App* enc = tpl->add_subcommand("encode", "write the line-encoded form (.TPTX) of a plain template file");
  enc->add_option("IN", in_, "plain template file")->required();
  enc->add_option("OUT", out_, "encoded file to write")->required();
  enc->callback([this, &ctx] {
    ctx.Select([this](CommandContext& c) { return Code(c, true); }, /*readsPrinters=*/false);
  });
  CLI::App* dec = tpl->add_subcommand("decode", "write the plain form (.TPT) of a line-encoded template file");
  dec->add_option("IN", in_, "encoded template file")->required();
  dec->add_option("OUT", out_, "plain file to write")->required();
  dec->callback([this, &ctx] {
    ctx.Select([this](CommandContext& c) { return Code(c, false); }, /*readsPrinters=*/false);
  });
}

int TemplateVerbs::Show(CommandContext& ctx) {
  CQuorPrnFormTemplate reader;
  CQuorPrnFormTemplate::Page page;
  int32_t code = reader.Read(TerminalText::ToLibrary(in_, "the template path"),
                             TerminalText::ToLibrary(form_, "the form name"), &page);
  auto& d = ctx.out.Data();
  d["File"] = TerminalText::ToTerminal(reader.ResolvedPath());
  d["Encoded"] = reader.IsEncoded();
  if (code == QUOR_PRN_SUCCESS) {
    d["PaperName"] = TerminalText::ToTerminal(page.paperName);
    d["PaperNo"] = page.paperNo;
    d["Portrait"] = page.portrait;
    d["TableWidth"] = page.tableWidth;
    d["TableLength"] = page.tableLength;
    d["FileWidth"] = page.fileWidth;
    d["FileLength"] = page.fileLength;
    ctx.out.Text("file:   " + TerminalText::ToTerminal(reader.ResolvedPath()) +
                 (reader.IsEncoded() ? " (encoded)" : " (plain)"));
    ctx.out.Text("paper:  " + TerminalText::ToTerminal(page.paperName) + " = " + std::to_string(page.paperNo) +
                 (page.portrait ? ", portrait" : ", landscape"));
    ctx.out.Text("table size: " + std::to_string(page.tableWidth) + " x " + std::to_string(page.tableLength) +
                 "   file size: " + std::to_string(page.fileWidth) + " x " + std::to_string(page.fileLength) +
                 " (0.1 mm)");
  }
  return ctx.out.Result(code);
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
  OutputFile::Replace(out_, out);
  ctx.out.Data()["lines"] = lines.size();
  ctx.out.Text((encode ? "encoded " : "decoded ") + std::to_string(lines.size()) + " lines into " + out_);
  return ctx.out.Success();
}

}  // namespace tools
