// Stored settings to real print jobs on a cupsd of the test's own: the job
// options the library makes from a lookup's records, and `quorprn print`,
// whose jobs are read back from the server over IPP. The queues come from
// PPDs that pass documents unchanged (the server has no conversion filters):
// a colour office printer with A4, A3, JIS B4, a slip, a custom size range and
// two trays; a monochrome laser; a dot-matrix printer with papers and a tray
// that only the user range numbers; a raw queue. Skipped only where cupsd is
// not installed.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "CupsdSuite.h"
#include "platform/spooler/PrintJobs.h"
#include "platform/spooler/Spooler.h"
#include "platform/spooler/VirtualSpooler.h"
#include "platform/spooler/WinSpool.h"
#include "quorprn/QuorPrn.h"

namespace {

using Options = std::vector<QUOR_PRN_CUPS_OPTION_TYPE>;

struct Command {
  int status = -1;
  std::string out;
  std::string err;
  nlohmann::json Json() const { return nlohmann::json::parse(out, nullptr, false); }
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The value of an option, or "(none)".
std::string Value(const Options& options, const std::string& name) {
  for (const auto& o : options) {
    if (o.Name == name) return o.Value;
  }
  return "(none)";
}

// The options as "name=value" words, in the order made.
std::string Words(const Options& options) {
  std::string words;
  for (const auto& o : options) words += (words.empty() ? "" : " ") + o.Name + "=" + o.Value;
  return words;
}

QUOR_PRN_FORM_INFO_TYPE Form(const std::string& name, const std::string& paper, const std::string& bin = "0") {
  QUOR_PRN_FORM_INFO_TYPE form;
  form.FormName = name;
  form.PaperSize = paper;
  form.Bin = bin;
  return form;
}

QUOR_PRN_PRINTER_INFO_TYPE Printer(const std::string& name) {
  QUOR_PRN_PRINTER_INFO_TYPE printer;
  printer.PrinterName = name;
  return printer;
}

// One IPP request to the test daemon; the response's attributes as text
// (several values joined by commas), the first occurrence of each name.
std::map<std::string, std::string> Ask(ipp_op_t op, const char* uriName, const std::string& uri,
                                       const char* which = nullptr, int* jobs = nullptr) {
  std::map<std::string, std::string> values;
  http_t* http = httpConnect2(cupsServer(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
  if (!http) return values;
  ipp_t* request = ippNewRequest(op);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  if (which) ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, which);
  ipp_t* response = cupsDoRequest(http, request, "/");
  for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
    const char* name = ippGetName(a);
    if (!name) continue;
    if (jobs && std::string(name) == "job-id") ++*jobs;
    char text[4096];
    ippAttributeString(a, text, sizeof text);
    values.emplace(name, text);
  }
  ippDelete(response);
  httpClose(http);
  return values;
}

std::map<std::string, std::string> JobAttributes(int id) {
  return Ask(IPP_OP_GET_JOB_ATTRIBUTES, "job-uri", "ipp://localhost/jobs/" + std::to_string(id));
}

int JobCount() {
  int jobs = 0;
  Ask(IPP_OP_GET_JOBS, "printer-uri", "ipp://localhost/", "all", &jobs);
  return jobs;
}

// A printer attribute's values; custom size limits left out of "media".
std::set<std::string> Supported(const std::string& printer, const std::string& name) {
  std::string text = Ask(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", "ipp://localhost/printers/" + printer)[name];
  std::set<std::string> values;
  std::stringstream list(text);
  for (std::string v; std::getline(list, v, ',');) {
    if (v.rfind("custom_min_", 0) != 0 && v.rfind("custom_max_", 0) != 0) values.insert(v);
  }
  return values;
}

std::vector<uint16_t> Numbers(const std::string& printer, uint16_t capability) {
  std::vector<uint16_t> numbers;
  std::string error;
  EXPECT_TRUE(spooler::Spooler::Current()->Capabilities(printer, capability, &numbers, nullptr, &error)) << error;
  return numbers;
}

}  // namespace

class CupsPrintJobs : public CupsdSuite {
 protected:
  static void SetUpTestSuite() {
    const std::string data = std::string(QUORPRN_TEST_DATA) + "/cups/";
    auto ppdQueue = [](const char* name, const std::string& ppd) {
      return std::vector<std::string>{"lpadmin", "-p", name, "-E", "-v", "file:///dev/null", "-P", ppd};
    };
    if (!StartWith({ppdQueue("Office", data + "office.ppd"),
                    ppdQueue("Gone", data + "office.ppd"),
                    ppdQueue("LaserA", data + "laser.ppd"),
                    ppdQueue("DotB", data + "dotmatrix.ppd"),
                    {"lpadmin", "-p", "RawQ", "-E", "-v", "file:///dev/null"},
                    {"lpadmin", "-d", "Office"}}))
      return;
    // Landscape A3, a free 100 x 150 mm paper, portrait A4, a free size no
    // printer takes, and a free paper whose section gives no size.
    std::ofstream(Path("forms.TPT"), std::ios::binary)
        << "/PAGEINF Land\r\nPAPER=PRN_A3X\r\n/END\r\n"
           "/PAGEINF Free\r\nPAPER=PRN_FREE\r\nPAPERWIDTH=1000\r\nPAPERLENGTH=1500\r\n/END\r\n"
           "/PAGEINF Port\r\nPAPER=PRN_A4Y\r\n/END\r\n"
           "/PAGEINF Huge\r\nPAPER=PRN_FREE\r\nPAPERWIDTH=5000\r\nPAPERLENGTH=6000\r\n/END\r\n"
           "/PAGEINF Bare\r\nPAPER=PRN_FREE\r\n/END\r\n";
    std::ofstream(Path("invoice.pdf"), std::ios::binary) << "%PDF-1.4\n1 0 obj<<>>endobj\ntrailer<<>>\n%%EOF\n";
  }

  static std::string Path(const std::string& name) { return sandbox_->Folder() + "/" + name; }

  // The command against this daemon and a hive file of the test's own.
  static Command Quorprn(const std::vector<std::string>& args) {
    auto quote = [](const std::string& s) {
      std::string q = "'";
      for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
      return q + "'";
    };
    std::string line = quote(QUORPRN_CLI) + " --registry " + quote(Path("hive.db")) + " --spooler cups";
    for (const auto& a : args) line += " " + quote(a);
    line += " >" + quote(Path("out")) + " 2>" + quote(Path("err"));
    int rc = std::system(line.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ReadAll(Path("out")), ReadAll(Path("err"))};
  }

  // The options for a printer and form record, on a thread whose libcups
  // sees this daemon.
  static int32_t OptionsFor(const std::string& printer, const QUOR_PRN_FORM_INFO_TYPE& form, int32_t colorPrint,
                            Options* options) {
    int32_t code = 0;
    OnFreshThread([&] {
      spooler::Spooler::UseCups();
      QUOR_PRN_PRINTER_INFO_TYPE record = Printer(printer);
      QUOR_PRN_COLOR_INFO_TYPE color;
      color.ColorPrint = colorPrint;
      code = QuorPrnGetCupsOptions(Path("forms.TPT").c_str(), &record, &form, &color, options);
      spooler::Spooler::Reset();
    });
    return code;
  }
};

TEST_F(CupsPrintJobs, EveryPaperAndBinNumberTheBackendHandsOutMapsBackToItsKeyword) {
  for (const std::string printer : {"Office", "LaserA", "DotB"}) {
    std::set<std::string> media, sources;
    std::vector<uint16_t> papers, bins;
    OnFreshThread([&] {
      spooler::Spooler::UseCups();
      papers = Numbers(printer, DC_PAPERS);
      bins = Numbers(printer, DC_BINS);
      QUOR_PRN_PRINTER_INFO_TYPE record = Printer(printer);
      for (uint16_t paper : papers) {
        Options options;
        QUOR_PRN_FORM_INFO_TYPE form = Form("Port", std::to_string(paper));
        EXPECT_EQ(QuorPrnGetCupsOptions(Path("forms.TPT").c_str(), &record, &form, nullptr, &options), 1);
        media.insert(Value(options, "media"));
      }
      for (uint16_t bin : bins) {
        Options options;
        QUOR_PRN_FORM_INFO_TYPE form = Form("Port", "-1", std::to_string(bin));
        EXPECT_EQ(QuorPrnGetCupsOptions(Path("forms.TPT").c_str(), &record, &form, nullptr, &options), 1);
        sources.insert(Value(options, "media-source"));
      }
      spooler::Spooler::Reset();
    });
    // One keyword per number, and exactly the keywords the printer lists:
    // user-range numbers (the slip, the dot-matrix tray 3) included.
    EXPECT_EQ(media.size(), papers.size()) << printer;
    EXPECT_EQ(media, Supported(printer, "media-supported")) << printer;
    EXPECT_EQ(sources.size(), bins.size()) << printer;
    EXPECT_EQ(sources, Supported(printer, "media-source-supported")) << printer;
  }
}

TEST_F(CupsPrintJobs, CustomSizesColourOrientationAndScalingFollowTheRecordsAndThePrinter) {
  QUOR_PRN_FORM_INFO_TYPE own = Form("Land", "-1");
  own.PaperSizeFit = 0;
  const struct {
    const char* printer;
    QUOR_PRN_FORM_INFO_TYPE form;
    int32_t colorPrint, code;
    const char* options;
  } cases[] = {
      // The template's free 100 x 150 mm inside the office printer's range.
      {"Office", Form("Free", "256"), 1, 1,
       "media=custom_100x150mm_100x150mm orientation-requested=3 print-color-mode=color print-scaling=fit"},
      // Too large for the range, and a printer without custom sizes: left
      // out, never rounded to a listed paper.
      {"Office", Form("Huge", "256"), 1, 192, "orientation-requested=3 print-color-mode=color print-scaling=fit"},
      {"LaserA", Form("Free", "256"), 1, 192, "orientation-requested=3 print-scaling=fit"},
      // A free paper whose section gives no size has no size and no
      // orientation.
      {"Office", Form("Bare", "256"), 0, 192, "print-color-mode=monochrome print-scaling=fit"},
      // The printer's own paper: no media; the template's landscape A3 still
      // turns the page; colour asked of a monochrome printer is not sent.
      {"LaserA", own, 1, 1, "orientation-requested=4 print-scaling=none"},
      {"LaserA", own, 0, 1, "orientation-requested=4 print-color-mode=monochrome print-scaling=none"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.printer) + " " + c.form.FormName + " colour " + std::to_string(c.colorPrint));
    Options options;
    EXPECT_EQ(OptionsFor(c.printer, c.form, c.colorPrint, &options), c.code);
    EXPECT_EQ(Words(options), c.options);
  }
}

TEST_F(CupsPrintJobs, QuorprnPrintSubmitsTheStoredSettingsAndTheServerKeepsThem) {
  const std::string tpt = Path("forms.TPT"), pdf = Path("invoice.pdf");
  for (const auto& step : std::vector<std::vector<std::string>>{
           {"create-set", "S", "J", "3"},
           {"create-printer", "S", "J", "3", "Office", "--color-print", "1"},
           {"create-form", "S", "J", "3", "Office", "Land", "--paper", "12", "--bin", "257", "--fit", "0"},
           {"select", "S", "J", "3", "Office"}}) {
    Command r = Quorprn(step);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
  }

  // The lookup answers from the stored form and never reads the template, so
  // GetPaperSize would still give the constructor's portrait A4: the
  // landscape must come from the form's own section.
  Command words = Quorprn({"lookup", "S", "J", "3", tpt, "Land", "--lp"});
  EXPECT_EQ(words.status, 0) << words.err;
  EXPECT_EQ(words.out,
            "-o media=jis_b4_257x364mm -o media-source=tray-2 -o orientation-requested=4 -o print-color-mode=color "
            "-o print-scaling=none\n");
  nlohmann::json looked = Quorprn({"--json", "lookup", "S", "J", "3", tpt, "Land"}).Json();
  EXPECT_EQ(looked["cupsOptions"]["media-source"], "tray-2");
  EXPECT_EQ(looked["Form"]["Bin"], "257");

  Command printed = Quorprn({"--json", "print", "S", "J", "3", tpt, "Land", pdf, "--copies", "3", "--title", "請求書"});
  ASSERT_EQ(printed.status, 0) << printed.out << printed.err;
  auto job = JobAttributes(printed.Json()["job"].get<int>());
  EXPECT_EQ(job["media"], "jis_b4_257x364mm");
  EXPECT_EQ(job["media-source"], "tray-2");
  EXPECT_EQ(job["orientation-requested"], "landscape");
  EXPECT_EQ(job["print-color-mode"], "color");
  EXPECT_EQ(job["print-scaling"], "none");
  EXPECT_EQ(job["copies"], "3");
  EXPECT_EQ(job["job-name"], "請求書");
  EXPECT_EQ(job["document-format"], "application/pdf");

  // No stored form: the template's free size, printed, and the fallback told.
  Command fallback = Quorprn({"print", "S", "J", "3", tpt, "Free", pdf});
  EXPECT_EQ(fallback.status, 10) << fallback.out << fallback.err;
  EXPECT_NE(fallback.out.find("result: 143"), std::string::npos) << fallback.out;
  EXPECT_NE(fallback.err.find("fallback: 143"), std::string::npos) << fallback.err;
  size_t at = fallback.out.find("job id:");
  ASSERT_NE(at, std::string::npos) << fallback.out;
  job = JobAttributes(std::atoi(fallback.out.c_str() + at + 7));
  EXPECT_EQ(job["media"], "custom_100x150mm_100x150mm");
  EXPECT_EQ(job["orientation-requested"], "portrait");
  EXPECT_EQ(job["print-scaling"], "fit");
  EXPECT_EQ(job["copies"], "1");
}

TEST_F(CupsPrintJobs, RawQueueUnknownNumberAndAQueueGoneBeforePrintingFailClearly) {
  const std::string tpt = Path("forms.TPT"), pdf = Path("invoice.pdf");
  for (const auto& step : std::vector<std::vector<std::string>>{
           {"create-set", "S", "J", "4"},
           {"create-form", "S", "J", "4", "Office", "Land", "--paper", "999"},
           {"create-form", "S", "J", "4", "RawQ", "Land", "--paper", "9"},
           {"select", "S", "J", "4", "Office"}}) {
    ASSERT_EQ(Quorprn(step).status, 0);
  }
  const int jobs = JobCount();
  Command unknown = Quorprn({"print", "S", "J", "4", tpt, "Land", pdf});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.out.find("result: 192"), std::string::npos) << unknown.out;
  EXPECT_NE(unknown.err.find("no longer offers paper 999"), std::string::npos) << unknown.err;
  Command lp = Quorprn({"lookup", "S", "J", "4", tpt, "Land", "--lp"});
  EXPECT_EQ(lp.status, 1);
  EXPECT_EQ(lp.out.find("media="), std::string::npos) << lp.out;  // left out, not guessed
  EXPECT_NE(lp.out.find("-o orientation-requested=4"), std::string::npos) << lp.out;

  ASSERT_EQ(Quorprn({"select", "S", "J", "4", "RawQ"}).status, 0);
  Command raw = Quorprn({"print", "S", "J", "4", tpt, "Land", pdf});
  EXPECT_EQ(raw.status, 1);
  EXPECT_NE(raw.out.find("result: 191"), std::string::npos) << raw.out;
  EXPECT_EQ(JobCount(), jobs);  // nothing reached the server

  // Looked up and turned into options while the queue was there; gone when
  // the job is submitted.
  Options options;
  ASSERT_EQ(OptionsFor("Gone", Form("Port", "9", "256"), 0, &options), 1);
  EXPECT_EQ(Value(options, "media-source"), "tray-1");
  ASSERT_TRUE(sandbox_->Run({"lpadmin", "-x", "Gone"}, &setupError_)) << setupError_;
  OnFreshThread([&] {
    spooler::Spooler::UseCups();
    spooler::JobRequest request;
    request.printer = "Gone";
    request.file = pdf;
    request.format = "application/pdf";
    for (const auto& o : options) request.options.emplace_back(o.Name, o.Value);
    int id = 0;
    std::string error;
    EXPECT_EQ(spooler::PrintJobs::Submit(request, &id, &error), spooler::JobStatus::kNoPrinter);
    EXPECT_NE(error.find("\"Gone\": no such printer"), std::string::npos) << error;
    spooler::Spooler::Reset();
  });
  EXPECT_EQ(OptionsFor("Gone", Form("Port", "9"), 0, &options), 150);
  EXPECT_EQ(JobCount(), jobs);
}

TEST(CupsJobOptions, AVirtualPrinterIsNoCupsQueue) {
  spooler::Spooler::UseBackend(spooler::VirtualSpooler::FromJson(R"({"printers": [{"name": "Virt"}]})"));
  QUOR_PRN_PRINTER_INFO_TYPE printer = Printer("Virt");
  QUOR_PRN_FORM_INFO_TYPE form = Form("INVOICE", "9");
  Options options{{"stale", "x"}};
  const std::string tpt = std::string(QUORPRN_TEST_DATA) + "/templates/forms.TPT";
  EXPECT_EQ(QuorPrnGetCupsOptions(tpt.c_str(), &printer, &form, nullptr, &options), 190);
  EXPECT_TRUE(options.empty());
  EXPECT_EQ(QuorPrnGetCupsOptions("", &printer, &form, nullptr, &options), 110);
  spooler::JobRequest request;
  request.printer = "Virt";
  int id = 0;
  std::string error;
  EXPECT_EQ(spooler::PrintJobs::Submit(request, &id, &error), spooler::JobStatus::kUnsupported);
  EXPECT_NE(error.find("makes no print jobs"), std::string::npos) << error;
  spooler::Spooler::Reset();
}
