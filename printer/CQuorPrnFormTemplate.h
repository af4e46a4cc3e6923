// The form template reader: finds a form's page section in a template file
// (".TPT" plain text, ".TPTX" with every line encoded) and tells which paper
// the form was designed for. One reader serves one read; it owns the open file
// and closes it on every path. It keeps nothing between reads, never writes
// the file, and holds at most one line (of any length) plus a fixed block of
// the file in memory at a time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CQuorPrnFormTemplate {
 public:
  // What a form's section says about its paper. Sizes in tenths of a
  // millimetre.
  struct Page {
    std::string paperName;   // as the section names it, without its 4-character prefix
    int32_t paperNo = 9;     // platform paper number; 256 free size, -1 the printer's own
    int32_t portrait = 0;
    int32_t tableWidth = 0;  // the paper table's size of a fixed paper, else 0
    int32_t tableLength = 0;
    int32_t fileWidth = 0;   // the section's PAPERWIDTH / PAPERLENGTH, 0 where absent
    int32_t fileLength = 0;
  };

  // The file is read `blockSize` bytes at a time (64 KiB unless a caller,
  // such as a test of lines that cross blocks, asks for less; at least 1).
  static constexpr size_t kDefaultBlockSize = 64 * 1024;
  explicit CQuorPrnFormTemplate(size_t blockSize = kDefaultBlockSize);
  ~CQuorPrnFormTemplate();
  CQuorPrnFormTemplate(const CQuorPrnFormTemplate&) = delete;
  CQuorPrnFormTemplate& operator=(const CQuorPrnFormTemplate&) = delete;

  // Reads the section of `formName` from the template at `templatePath`.
  // Returns 1, or 130 for every failure (no such file, unreadable file, a line
  // that does not decode, end of file before the section or its end, a
  // malformed section header, a keyword line without a value). `page` holds
  // what was read as far as the read got.
  int32_t Read(const std::string& templatePath, const std::string& formName, Page* page);

  // The size of a fixed paper from the paper table: the first row with that
  // number, from the first portrait row on when `portrait` is 1 (so A4 gives
  // its portrait size), else from the first row. False, with both sizes 0,
  // for a number the table has no size for (256, -1, any other).
  static bool TableSize(int32_t paperNo, int32_t portrait, int32_t* width, int32_t* length);

  // The file that the last Read opened (after the ".TPTX" fallback) and
  // whether it was read as an encoded file.
  const std::string& ResolvedPath() const { return m_path; }
  bool IsEncoded() const { return m_encoded != 0; }

 private:
  int32_t _openTemplate(const std::string& templatePath);
  // Next line with its line end (LF or CR LF) removed, decoded for encoded
  // files. False at end of file; sets m_failed on a read or decoding error.
  bool _readLine(std::string_view* line);
  // Reads the next block of the file; false (m_failed set) on a read error.
  bool _fillBlock();
  // The rest of a line that crosses the block's end, into m_line, which is
  // allocated once at the line's length. `ended` tells whether a line feed
  // ended it.
  bool _readLongLine(bool* ended);
  // Next line that is not blank, a comment or a directive, with its leading
  // blanks removed.
  bool _nextSignificantLine(std::string_view* line);
  int32_t _findSection(const std::string& formName, Page* page);
  int32_t _readSectionBody(Page* page);
  static void _decodePaperName(Page* page);

  struct FileCloser {
    void operator()(std::FILE* f) const {
      if (f) std::fclose(f);
    }
  };

  std::string m_path;
  std::unique_ptr<std::FILE, FileCloser> m_file;
  int32_t m_encoded = 0;
  bool m_failed = false;
  bool m_eof = false;
  // A block of the file and the unread part of it; a line that crosses a
  // block's end is gathered in m_line, which keeps the size of the longest
  // line met.
  size_t m_blockSize;
  std::vector<char> m_block;
  uint64_t m_blockOffset = 0;  // file position of the block's first byte
  size_t m_blockPos = 0;
  size_t m_blockLen = 0;
  std::string m_line;
  std::string m_decoded;
};
