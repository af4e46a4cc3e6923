// What a spooler backend answers; the platform-shaped calls of Spooler.h pack
// these answers into the caller's buffers. Backends: VirtualSpooler (a JSON
// file, for tests, demos and machines without a print system) and CupsSpooler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "meraprn/DevMode.h"
#include "platform/spooler/JobChoices.h"
#include "platform/spooler/JobRequest.h"

namespace spooler {

struct PrinterEntry {
  std::string name;
  std::string port;
  std::string driver;
  std::string comment;
  std::string location;
  uint32_t status = 0;  // PRINTER_STATUS_* bits
  // The printer's device settings.
  int16_t paper = 9;
  int16_t bin = 7;
  int16_t orientation = 1;
  // Colour and two-sided printing, where the printer offers them; a backend
  // that cannot tell offers neither. The settings are DMCOLOR_* / DMDUP_*.
  bool offersColor = false;
  bool offersDuplex = false;
  int16_t color = DMCOLOR_MONOCHROME;
  int16_t duplex = DMDUP_SIMPLEX;
};

class SpoolerBackend {
 public:
  virtual ~SpoolerBackend() = default;

  // Every printer, in the spooler's order. False (with a message) when the
  // enumeration failed; an empty list is not a failure.
  virtual bool Enumerate(std::vector<PrinterEntry>* out, std::string* error) = 0;
  // Whether the printer can be opened.
  virtual bool Open(const std::string& printer, std::string* error) = 0;
  // The printer's level-2 information.
  virtual bool GetPrinter(const std::string& printer, PrinterEntry* out, std::string* error) = 0;
  // DC_PAPERS / DC_BINS fill `numbers`; DC_PAPERNAMES / DC_BINNAMES fill
  // `names` (uncut). False when the query failed.
  virtual bool Capabilities(const std::string& printer, uint16_t capability, std::vector<uint16_t>* numbers,
                            std::vector<std::string>* names, std::string* error) = 0;
  virtual bool DefaultPrinter(std::string* name, std::string* error) = 0;
  virtual std::string Describe() const = 0;
  // Empty when the backend can answer; else why it cannot at all (a printer
  // description that could not be loaded). A backend that cannot answer
  // lists no printers, so a caller that must tell "none installed" from
  // "cannot say" asks here first.
  virtual std::string LoadError() const { return {}; }

  // Print jobs. A backend that makes none (the virtual spooler, test fakes)
  // keeps these answers: kUnsupported with a message. Both may block on a
  // print server; the backend bounds the wait.
  // What a job on `printer` may ask for (see JobChoices).
  virtual JobStatus GetJobChoices(const std::string& printer, JobChoices* out, std::string* error) {
    (void)printer;
    (void)out;
    if (error) *error = Describe() + " makes no print jobs";
    return JobStatus::kUnsupported;
  }
  // Submits the document; the printer's job id in `jobId` on kOk.
  virtual JobStatus SubmitJob(const JobRequest& job, int* jobId, std::string* error) {
    (void)job;
    (void)jobId;
    if (error) *error = Describe() + " makes no print jobs";
    return JobStatus::kUnsupported;
  }
};

}  // namespace spooler
