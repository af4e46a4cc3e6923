#include "platform/spooler/PrintJobs.h"

#include "platform/spooler/Spooler.h"

namespace spooler {

JobStatus PrintJobs::Choices(const std::string& printer, JobChoices* out, std::string* error) {
  *out = JobChoices{};
  return Spooler::Current()->GetJobChoices(printer, out, error);
}

JobStatus PrintJobs::Submit(const JobRequest& job, int* jobId, std::string* error) {
  *jobId = 0;
  return Spooler::Current()->SubmitJob(job, jobId, error);
}

}  // namespace spooler
