// The stored-settings verbs: create-set, create-printer, create-form,
// delete-set, delete-printer, delete-form (the library's exported fronts) and
// select (make an installed printer the set's current one). Every record
// field has its option; fields not given keep the records' own defaults.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quorprn/QuorPrnRecords.h"
#include "tools/VerbGroup.h"

namespace tools {

class StoreVerbs : public VerbGroup {
 public:
  void Register(CLI::App& app, CommandContext& ctx) override;

 private:
  enum class Op { CreateSet, CreatePrinter, CreateForm, DeleteSet, DeletePrinter, DeleteForm, Select };
  CLI::App* Add(CLI::App& app, CommandContext& ctx, const char* name, const char* help, Op op, bool printer,
                bool form);
  int Run(CommandContext& ctx, Op op);
  // Throws (status 1, the nearest installed names) unless a printer of that
  // name, or of the installed name it stands for, is installed.
  void RefuseUninstalled(CommandContext& ctx, const std::string& name);
  // Parses "C001=0xBBGGRR" into a palette entry; throws a usage error.
  static void ParseColor(const std::string& text, std::string* name, int32_t* color);

  std::string system_, job_, printerName_, formName_;
  uint32_t set_ = 0;
  QUOR_PRN_PRINTER_INFO_TYPE printer_;
  QUOR_PRN_FORM_INFO_TYPE form_;
  int paper_ = 0;
  bool hasPaper_ = false;
  std::string paperName_, bin_;
  int32_t colorPrint_ = 0, mode_ = 0;
  std::vector<std::string> colors_;
  bool hasColor_ = false;
  bool force_ = false;
};

}  // namespace tools
