// A print server whose answers grow by one entry with each call, as a busy
// one may between a caller's count and its fill, until `growingCalls` calls
// have been answered.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/spooler/Spooler.h"
#include "platform/spooler/WinSpool.h"

class GrowingSpooler : public spooler::SpoolerBackend {
 public:
  explicit GrowingSpooler(int growingCalls = 1 << 30) : growingCalls_(growingCalls) {}
  bool Enumerate(std::vector<spooler::PrinterEntry>* out, std::string*) override {
    out->assign(Next(1), {});
    for (size_t i = 0; i < out->size(); ++i) (*out)[i].name = "P" + std::to_string(i);
    return true;
  }
  bool Open(const std::string&, std::string*) override { return true; }
  bool GetPrinter(const std::string&, spooler::PrinterEntry*, std::string*) override { return false; }
  bool Capabilities(const std::string&, uint16_t cap, std::vector<uint16_t>* numbers, std::vector<std::string>* names,
                    std::string*) override {
    bool byNumber = cap == DC_PAPERS || cap == DC_BINS;
    for (int i = 0, n = Next(2); i < n; ++i) {
      if (byNumber) numbers->push_back(static_cast<uint16_t>(i));
      if (!byNumber) names->push_back("N" + std::to_string(i));
    }
    return true;
  }
  bool DefaultPrinter(std::string*, std::string*) override { return false; }
  std::string Describe() const override { return "growing"; }

 private:
  int Next(int first) { return first + std::min(calls_++, growingCalls_); }
  int calls_ = 0;
  int growingCalls_;
};
