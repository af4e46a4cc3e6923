// Keywords go to CUPS exactly as the printer listed them: the paper list's
// numbers were made from those keywords, so turning a number back is a look-up
// in the same list, never a search by size. Texts arrive as code page 932 and
// leave for CUPS as UTF-8; CUPS types never leave this file.
#include "platform/cups/CupsPrintJob.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "platform/cups/CupsConnection.h"
#include "platform/mbcs/Cp932Converter.h"

namespace spooler {
namespace {

constexpr size_t kChunk = 64 * 1024;

struct InfoFree {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using InfoPtr = std::unique_ptr<cups_dinfo_t, InfoFree>;

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::set<std::string> Values(ipp_attribute_t* attr) {
  std::set<std::string> values;
  for (int i = 0; attr && i < ippGetCount(attr); ++i) {
    if (const char* v = ippGetString(attr, i, nullptr)) values.insert(v);
  }
  return values;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// A not-found answer means the queue went away after it was looked up.
JobStatus Failed(const char* what, std::string* error) {
  ipp_status_t status = cupsLastError();
  if (error) *error = CupsConnection::LastFailure(what);
  if (error && error->empty()) *error = std::string(what) + " failed";
  return status == IPP_STATUS_ERROR_NOT_FOUND ? JobStatus::kNoPrinter : JobStatus::kFailed;
}

}  // namespace

JobStatus CupsPrintJob::Choices(http_t* http, cups_dest_t* dest, const PrinterMediaList& media, JobChoices* out,
                                std::string* error) {
  InfoPtr info(cupsCopyDestInfo(http, dest));
  if (!info) return Failed("reading the printer's job choices", error);
  *out = JobChoices{};
  std::set<std::string> papers = Values(cupsFindDestSupported(http, dest, info.get(), "media"));
  // A raw queue lists no papers at all; the paper list's A4 is a stand-in.
  out->raw = papers.empty();
  if (out->raw) return JobStatus::kOk;
  for (const auto& e : media.Papers()) out->papers.emplace_back(e.number, e.keyword);
  std::set<std::string> sources = Values(cupsFindDestSupported(http, dest, info.get(), "media-source"));
  for (const auto& e : media.Bins()) {
    if (sources.count(e.keyword)) out->bins.emplace_back(e.number, e.keyword);
  }
  out->color = Values(cupsFindDestSupported(http, dest, info.get(), "print-color-mode")).count("color") > 0;
  for (const std::string& keyword : papers) {
    bool min = StartsWith(keyword, "custom_min_");
    if (!min && !StartsWith(keyword, "custom_max_")) continue;
    pwg_media_t* size = pwgMediaForPWG(keyword.c_str());
    if (!size) continue;
    int shorter = std::min(size->width, size->length), longer = std::max(size->width, size->length);
    (min ? out->customMinWidth : out->customMaxWidth) = shorter;
    (min ? out->customMinLength : out->customMaxLength) = longer;
  }
  if (out->customMinWidth == 0 || out->customMaxWidth == 0) {
    out->customMinWidth = out->customMinLength = out->customMaxWidth = out->customMaxLength = 0;
  }
  return JobStatus::kOk;
}

JobStatus CupsPrintJob::Submit(http_t* http, cups_dest_t* dest, const JobRequest& job, int* jobId,
                               std::string* error) {
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(job.file.c_str(), "rb"));
  if (!file) {
    if (error) *error = "cannot read " + job.file + ": " + std::strerror(errno);
    return JobStatus::kFailed;
  }
  InfoPtr info(cupsCopyDestInfo(http, dest));
  if (!info) return Failed("reading the printer's job choices", error);

  cups_option_t* options = nullptr;
  int count = 0;
  for (const auto& [name, value] : job.options) count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
  count = cupsAddIntegerOption("copies", std::max(job.copies, 1), count, &options);
  std::string title = mbcs::Cp932Converter::ToUtf8Lossy(job.title);
  int id = 0;
  ipp_status_t created = cupsCreateDestJob(http, dest, info.get(), &id, title.c_str(), count, options);
  cupsFreeOptions(count, options);
  if (created > IPP_STATUS_OK_EVENTS_COMPLETE || id <= 0) return Failed("creating the print job", error);

  auto cancel = [&](JobStatus status) {
    cupsCancelDestJob(http, dest, id);
    return status;
  };
  if (cupsStartDestDocument(http, dest, info.get(), id, title.c_str(), job.format.c_str(), 0, nullptr,
                            /*last_document=*/1) != HTTP_STATUS_CONTINUE) {
    return cancel(Failed("sending the document", error));
  }
  std::vector<char> buffer(kChunk);
  size_t read = 0;
  bool written = true;
  while (written && (read = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0) {
    written = cupsWriteRequestData(http, buffer.data(), read) == HTTP_STATUS_CONTINUE;
  }
  bool readFailed = std::ferror(file.get()) != 0;
  ipp_status_t finished = cupsFinishDestDocument(http, dest, info.get());
  if (readFailed) {
    if (error) *error = "reading " + job.file + " failed";
    return cancel(JobStatus::kFailed);
  }
  if (!written || finished > IPP_STATUS_OK_EVENTS_COMPLETE) return cancel(Failed("sending the document", error));
  *jobId = id;
  return JobStatus::kOk;
}

}  // namespace spooler
