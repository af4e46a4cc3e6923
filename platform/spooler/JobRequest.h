// One document to print: the printer, the file, its format and the job's
// options as name/value pairs (what `lp -o name=value` takes). Plain data,
// owned by the caller.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace spooler {

struct JobRequest {
  std::string printer;  // code page 932, as the printer list names it
  std::string file;     // path of the document, as the file system spells it
  std::string format;   // MIME type: application/pdf, application/postscript, text/plain
  std::string title;    // code page 932; the job's name
  int copies = 1;
  std::vector<std::pair<std::string, std::string>> options;
};

}  // namespace spooler
