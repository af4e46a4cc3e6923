// The form template reader. Files are read block by block and line by line,
// so a template of any size costs one block plus its longest line; a line of
// any length is read whole. Only the line end that is present (LF or CR LF)
// is cut, so templates saved with Linux line ends and a last line without a
// line end keep every character.
#include "printer/CQuorPrnFormTemplate.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <filesystem>
#include <system_error>

#include "platform/merabase/MeraBpString64.h"
#include "printer/QuorPrnDecimal.h"
#include "quorprn/QuorPrnResult.h"

namespace {

struct PaperRow {
  const char* name;
  int32_t number;
  int32_t width;
  int32_t length;
};

// "X" rows are landscape, "Y" rows portrait; sizes in tenths of a millimetre.
constexpr PaperRow kPaperTable[] = {
    {"A3X", 8, 4200, 2970},   {"A4X", 9, 2970, 2100},   {"A5X", 11, 2100, 1480},
    {"B4X", 12, 3640, 2570},  {"B5X", 13, 2570, 1820},  {"A3Y", 8, 2970, 4200},
    {"A4Y", 9, 2100, 2970},   {"A5Y", 11, 1480, 2100},  {"B4Y", 12, 2570, 3640},
    {"B5Y", 13, 1820, 2570},  {"15INCH", 46, 3810, 2794}, {"10INCH", 45, 2540, 2794},
    {"FREE", 256, 0, 0},      {"PROPERTY", -1, 0, 0},
};

bool IEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The extension from the last dot of the last path component, dot included.
std::string_view Extension(std::string_view path) {
  size_t slash = path.rfind('/');
  size_t start = slash == std::string_view::npos ? 0 : slash + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < start) return {};
  return path.substr(dot);
}

// Hosts name template files as they were named on a case-insensitive file
// system; when the exact name is missing, a name in the same folder that
// differs only in ASCII letter case stands for it.
bool FindFile(const std::string& path, std::string* found) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) {
    *found = path;
    return true;
  }
  fs::path p(path);
  fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
  std::string leaf = p.filename().string();
  if (leaf.empty()) return false;
  fs::directory_iterator it(dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    if (!IEquals(it->path().filename().string(), leaf)) continue;
    if (!it->is_regular_file(ec)) continue;
    *found = p.has_parent_path() ? (dir / it->path().filename()).string() : it->path().filename().string();
    return true;
  }
  return false;
}

bool IsKeywordSeparator(char c) { return c == ' ' || c == '=' || c == ',' || c == '\n'; }
bool IsHeaderSeparator(char c) { return c == ' ' || c == '\n'; }

// Splits at runs of separators; stops once `max` tokens are found and reports
// whether more would follow.
template <class Sep>
size_t Tokenize(std::string_view line, Sep sep, std::string_view* tokens, size_t max, bool* more) {
  size_t count = 0;
  size_t i = 0;
  *more = false;
  while (i < line.size()) {
    while (i < line.size() && sep(line[i])) ++i;
    if (i >= line.size()) break;
    size_t start = i;
    while (i < line.size() && !sep(line[i])) ++i;
    if (count == max) {
      *more = true;
      break;
    }
    tokens[count++] = line.substr(start, i - start);
  }
  return count;
}

bool IsSizedPaper(const std::string& name) { return name == "FREE" || name == "PROPERTY"; }

}  // namespace

CQuorPrnFormTemplate::CQuorPrnFormTemplate(size_t blockSize) : m_blockSize(blockSize ? blockSize : 1) {}
CQuorPrnFormTemplate::~CQuorPrnFormTemplate() = default;

int32_t CQuorPrnFormTemplate::Read(const std::string& templatePath, const std::string& formName, Page* page) {
  *page = Page();
  int32_t rc = _openTemplate(templatePath);
  if (rc != QUOR_PRN_SUCCESS) return rc;
  rc = _findSection(formName, page);
  if (rc == QUOR_PRN_SUCCESS) _decodePaperName(page);
  m_file.reset();
  return rc;
}

int32_t CQuorPrnFormTemplate::_openTemplate(const std::string& templatePath) {
  m_file.reset();
  m_encoded = 0;
  m_failed = false;
  m_eof = false;
  m_blockPos = m_blockLen = 0;
  m_blockOffset = 0;
  m_path = templatePath;

  std::string_view ext = Extension(templatePath);
  std::string found;
  if (IEquals(ext, ".TPT")) {
    if (FindFile(templatePath, &found)) {
      m_path = found;
    } else if (FindFile(templatePath + "X", &found)) {
      m_path = found;
      m_encoded = 1;
    }
  } else {
    if (FindFile(templatePath, &found)) m_path = found;
    m_encoded = IEquals(ext, ".TPTX") ? 1 : 0;
  }

  m_file.reset(std::fopen(m_path.c_str(), "rb"));
  if (!m_file) return QUOR_PRN_ERR_TEMPLATE;
  m_block.resize(m_blockSize);
  return QUOR_PRN_SUCCESS;
}

bool CQuorPrnFormTemplate::_fillBlock() {
  m_blockOffset += m_blockLen;
  size_t got = std::fread(m_block.data(), 1, m_block.size(), m_file.get());
  if (got < m_block.size()) {
    if (std::ferror(m_file.get())) {
      m_failed = true;
      return false;
    }
    m_eof = true;
  }
  m_blockPos = 0;
  m_blockLen = got;
  return true;
}

bool CQuorPrnFormTemplate::_readLongLine(bool* ended) {
  // Measured before it is gathered: a buffer grown step by step would hold
  // the line two or three times over while it moves to a larger block.
  const uint64_t lineStart = m_blockOffset + m_blockPos;
  uint64_t length = m_blockLen - m_blockPos;
  *ended = false;
  while (!m_eof) {
    if (!_fillBlock()) return false;
    const char* lf = static_cast<const char*>(std::memchr(m_block.data(), '\n', m_blockLen));
    if (lf != nullptr) {
      length += static_cast<uint64_t>(lf - m_block.data());
      *ended = true;
      break;
    }
    length += m_blockLen;
  }
  if (length > m_line.max_size()) {
    m_failed = true;
    return false;
  }
  if (length > m_line.capacity()) {
    m_line = std::string();
    m_line.reserve(static_cast<size_t>(length));
  }
  m_line.clear();
  if (fseeko(m_file.get(), static_cast<off_t>(lineStart), SEEK_SET) != 0) {
    m_failed = true;
    return false;
  }
  m_eof = false;
  m_blockOffset = lineStart;
  m_blockPos = m_blockLen = 0;
  while (m_line.size() < length) {
    if (!_fillBlock()) return false;
    size_t take = static_cast<size_t>(std::min<uint64_t>(length - m_line.size(), m_blockLen));
    if (take == 0) {  // the file shrank between the two passes
      m_failed = true;
      return false;
    }
    m_line.append(m_block.data(), take);
    m_blockPos = take;
  }
  if (*ended) {
    if (m_blockPos == m_blockLen && !_fillBlock()) return false;
    if (m_blockPos >= m_blockLen || m_block[m_blockPos] != '\n') {  // changed between the passes
      m_failed = true;
      return false;
    }
    ++m_blockPos;
  }
  return true;
}

bool CQuorPrnFormTemplate::_readLine(std::string_view* line) {
  if (m_blockPos == m_blockLen) {
    if (m_eof || !_fillBlock() || m_blockLen == 0) return false;
  }
  std::string_view raw;
  bool ended = false;  // the line had a line feed
  bool gathered = false;
  const char* start = m_block.data() + m_blockPos;
  size_t avail = m_blockLen - m_blockPos;
  const char* lf = static_cast<const char*>(std::memchr(start, '\n', avail));
  if (lf != nullptr) {
    size_t n = static_cast<size_t>(lf - start);
    m_blockPos += n + 1;
    raw = std::string_view(start, n);
    ended = true;
  } else if (m_eof) {
    m_blockPos = m_blockLen;
    raw = std::string_view(start, avail);
  } else {
    if (!_readLongLine(&ended)) return false;
    raw = m_line;
    gathered = true;
  }
  if (ended && !raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
  if (m_encoded) {
    bool ok;
    if (gathered) {
      if (ended && !m_line.empty() && m_line.back() == '\r') m_line.pop_back();
      ok = MeraBpStringDecode64(m_line, &m_decoded);
    } else {
      ok = MeraBpStringDecode64(std::string(raw), &m_decoded);
    }
    if (!ok) {
      m_failed = true;
      return false;
    }
    raw = m_decoded;
  }
  *line = raw;
  return true;
}

bool CQuorPrnFormTemplate::_nextSignificantLine(std::string_view* line) {
  bool inComment = false;
  std::string_view l;
  while (_readLine(&l)) {
    if (l == "$REM") {
      inComment = true;
    } else if (l == "$ENDREM") {
      inComment = false;
    }
    if (l.empty() || l[0] == ';' || inComment) continue;
    size_t i = 0;
    while (i < l.size() && (l[i] == ' ' || l[i] == '\t')) ++i;
    l.remove_prefix(i);
    if (!l.empty() && l[0] == '$') continue;
    *line = l;
    return true;
  }
  return false;
}

int32_t CQuorPrnFormTemplate::_findSection(const std::string& formName, Page* page) {
  std::string_view line;
  while (_nextSignificantLine(&line)) {
    if (line.size() < 8 || std::memcmp(line.data(), "/PAGEINF", 8) != 0) continue;
    std::string_view tokens[2];
    bool more = false;
    size_t n = Tokenize(line, IsHeaderSeparator, tokens, 2, &more);
    if (n != 2 || more) return QUOR_PRN_ERR_TEMPLATE;
    if (tokens[1] == formName) return _readSectionBody(page);
  }
  return QUOR_PRN_ERR_TEMPLATE;
}

int32_t CQuorPrnFormTemplate::_readSectionBody(Page* page) {
  page->paperName = "PRN_A4Y";
  page->fileWidth = 0;
  page->fileLength = 0;
  bool paperSeen = false, lengthSeen = false, widthSeen = false;
  std::string_view line;
  while (_nextSignificantLine(&line)) {
    if (line == "/END") return QUOR_PRN_SUCCESS;
    std::string_view tokens[2];
    bool more = false;
    size_t n = Tokenize(line, IsKeywordSeparator, tokens, 2, &more);
    if (n == 0) return QUOR_PRN_ERR_TEMPLATE;
    const std::string_view key = tokens[0];
    const bool acts = key == "PAPER" || key == "PAPERLENGTH" || key == "PAPERWIDTH";
    if (!acts) continue;
    // A keyword that acts without a value has no sound reading.
    if (n < 2) return QUOR_PRN_ERR_TEMPLATE;
    if (key == "PAPER") {
      page->paperName = std::string(tokens[1].size() > 4 ? tokens[1].substr(4) : std::string_view());
      if (!IsSizedPaper(page->paperName)) return QUOR_PRN_SUCCESS;
      paperSeen = true;
      if (lengthSeen && widthSeen) return QUOR_PRN_SUCCESS;
    } else if (key == "PAPERLENGTH") {
      page->fileLength = QuorPrnDecimal(tokens[1]);
      if (IsSizedPaper(page->paperName) && paperSeen && widthSeen) return QUOR_PRN_SUCCESS;
      lengthSeen = true;
    } else {
      page->fileWidth = QuorPrnDecimal(tokens[1]);
      if (IsSizedPaper(page->paperName) && paperSeen && lengthSeen) return QUOR_PRN_SUCCESS;
      widthSeen = true;
    }
  }
  return QUOR_PRN_ERR_TEMPLATE;
}

bool CQuorPrnFormTemplate::TableSize(int32_t paperNo, int32_t portrait, int32_t* width, int32_t* length) {
  *width = 0;
  *length = 0;
  size_t first = 0;
  if (portrait == 1) {
    while (first < std::size(kPaperTable) && std::strcmp(kPaperTable[first].name, "A3Y") != 0) ++first;
  }
  for (size_t i = first; i < std::size(kPaperTable); ++i) {
    const PaperRow& r = kPaperTable[i];
    if (r.number != paperNo) continue;
    if (r.width <= 0 || r.length <= 0) return false;
    *width = r.width;
    *length = r.length;
    return true;
  }
  return false;
}

void CQuorPrnFormTemplate::_decodePaperName(Page* page) {
  page->paperNo = 9;
  page->portrait = 0;
  page->tableWidth = 0;
  page->tableLength = 0;
  const PaperRow* row = nullptr;
  for (const PaperRow& r : kPaperTable) {
    if (page->paperName == r.name) {
      row = &r;
      break;
    }
  }
  if (row == nullptr) return;
  page->paperNo = row->number;
  switch (row->number) {
    case 8:
    case 9:
    case 11:
    case 12:
    case 13:
      page->portrait = page->paperName.size() > 2 && page->paperName[2] == 'Y' ? 1 : 0;
      break;
    case 256:
    case -1:
      page->portrait = page->fileWidth < page->fileLength ? 1 : 0;
      break;
    default:
      page->portrait = 1;
      break;
  }
  if (row->number != 256 && row->number != -1) {
    page->tableWidth = row->width;
    page->tableLength = row->length;
  }
}
