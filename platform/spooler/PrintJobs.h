// Print jobs through whichever spooler backend the process chose (Spooler.h):
// what a job on a printer may ask for, and submitting one. This is how the
// library and the command reach a print system's jobs; neither names a
// backend. Calls may block on a print server for the backend's bounded wait.
#pragma once

#include <string>

#include "platform/spooler/JobChoices.h"
#include "platform/spooler/JobRequest.h"

namespace spooler {

class PrintJobs {
 public:
  // `printer` in code page 932. kUnsupported when the backend makes no jobs.
  static JobStatus Choices(const std::string& printer, JobChoices* out, std::string* error);
  static JobStatus Submit(const JobRequest& job, int* jobId, std::string* error);
};

}  // namespace spooler
