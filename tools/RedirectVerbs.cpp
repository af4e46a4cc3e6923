#include "tools/RedirectVerbs.h"

#include "quorprn/CQuorPrnPrinterRedirectManager.h"
#include "tools/TerminalText.h"

namespace tools {

void RedirectVerbs::Register(CLI::App& app, CommandContext& ctx) {
  CLI::App* red = app.add_subcommand("redirect", "redirected printer names (patterns are ECMAScript regular expressions)");
  red->require_subcommand(1);
  red->fallthrough();
  red->add_option("--port", ports_, "a port pattern that marks a redirected printer (repeatable)");
  red->add_option("--remove", removes_, "a pattern removed from a redirected printer's name (repeatable)");
  CLI::App* name = red->add_subcommand("name", "the name stored for an installed printer");
  name->add_option("PRINTER", name_, "installed printer name")->required();
  name->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Convert(c, true); }); });
  CLI::App* real = red->add_subcommand("real", "the installed printer that a stored name stands for");
  real->add_option("STORED", name_, "stored printer name")->required();
  real->callback([this, &ctx] { ctx.Select([this](CommandContext& c) { return Convert(c, false); }); });
}

int RedirectVerbs::Convert(CommandContext& ctx, bool toStored) {
  std::vector<std::string> ports = CQuorPrnPrinterRedirectManager::m_cRedirectPortNameArray;
  std::vector<std::string> removes = CQuorPrnPrinterRedirectManager::m_cRemovePatternArray;
  for (const auto& p : ports_) ports.push_back(TerminalText::ToLibrary(p, "the port pattern"));
  for (const auto& p : removes_) removes.push_back(TerminalText::ToLibrary(p, "the remove pattern"));
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterPortList(ports);
  CQuorPrnPrinterRedirectManager::SetRedirectPrinterRemovePatternList(removes);
  std::string in = TerminalText::ToLibrary(name_, "the printer name");
  std::string out = toStored ? CQuorPrnPrinterRedirectManager::GetRedirectPrinterName(in.c_str())
                             : CQuorPrnPrinterRedirectManager::GetRealPrinterName(in.c_str());
  ctx.out.Data()[toStored ? "StoredName" : "PrinterName"] = TerminalText::ToTerminal(out);
  ctx.out.Data()["Changed"] = out != in;
  ctx.out.Text(TerminalText::ToTerminal(out));
  return ctx.out.Success();
}

}  // namespace tools
