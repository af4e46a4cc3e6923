// Print jobs on one CUPS destination: what a job may ask for, answered by the
// numbers of the printer's paper and bin lists (PrinterMediaList), and the
// submission of one document with its options. Works on a connection and a
// destination that the caller owns and has opened; holds nothing itself.
#pragma once

#include <string>

#include <cups/cups.h>

#include "platform/cups/PrinterMediaList.h"
#include "platform/spooler/JobChoices.h"
#include "platform/spooler/JobRequest.h"

namespace spooler {

class CupsPrintJob {
 public:
  // `media` is the list whose numbers the capability queries handed out for
  // this destination.
  static JobStatus Choices(http_t* http, cups_dest_t* dest, const PrinterMediaList& media, JobChoices* out,
                           std::string* error);
  // Creates the job, sends the file as its one document and closes it; a job
  // that was created but could not be completed is cancelled.
  static JobStatus Submit(http_t* http, cups_dest_t* dest, const JobRequest& job, int* jobId, std::string* error);
};

}  // namespace spooler
