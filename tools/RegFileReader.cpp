// Decoding first turns every physical line into code page 932, whatever the
// file's encoding, so that one lead-byte-aware parser serves all of them: a
// double-byte character whose trail byte is 0x5C must never be taken for an
// escape or a continuation mark.
#include "tools/RegFileReader.h"

#include <cctype>
#include <cstdint>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/mbcs/Mbcs.h"
#include "tools/Utf16Codec.h"

namespace tools {
namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";

struct Line {
  int number = 0;
  std::string text;   // code page 932
  std::string error;  // set when the line could not be decoded
  bool keyLike = false;  // starts with '[' (known even when undecodable)
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// Trailing blanks are never part of a double-byte character: trail bytes
// start at 0x40.
std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Show(std::string_view cp932) { return mbcs::Cp932Converter::ToUtf8Lossy(cp932); }

// Splits decoded text at line feeds; `decode` turns one line into code page 932.
template <class Decode>
std::vector<Line> SplitLines(std::string_view text, Decode decode) {
  std::vector<Line> lines;
  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    Line line;
    line.number = ++number;
    std::string_view raw = text.substr(start, end - start);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    line.keyLike = !TrimLeft(raw).empty() && TrimLeft(raw).front() == '[';
    decode(raw, &line);
    lines.push_back(std::move(line));
    if (end == text.size()) break;
    start = end + 1;
  }
  return lines;
}

void FromUtf8Line(std::string_view raw, Line* line) {
  std::string error;
  if (!mbcs::Cp932Converter::FromUtf8(raw, &line->text, &error))
    line->error = "text that code page 932 cannot hold (" + error + ")";
}

std::vector<Line> DecodeUtf16(std::string_view body) {
  std::vector<Line> lines;
  int number = 0;
  size_t start = 0;
  for (size_t i = 0;; i += 2) {
    bool atEnd = i + 1 >= body.size();
    if (!atEnd && !(body[i] == '\n' && body[i + 1] == '\0')) continue;
    std::string_view raw = body.substr(start, (atEnd ? body.size() : i) - start);
    if (raw.size() >= 2 && raw[raw.size() - 2] == '\r' && raw.back() == '\0') raw.remove_suffix(2);
    Line line;
    line.number = ++number;
    std::string utf8, error;
    if (!Utf16Codec::ToUtf8(raw, &utf8, &error)) {
      line.error = error;
    } else {
      line.keyLike = !TrimLeft(utf8).empty() && TrimLeft(utf8).front() == '[';
      FromUtf8Line(utf8, &line);
    }
    lines.push_back(std::move(line));
    if (atEnd) break;
    start = i + 2;
  }
  return lines;
}

// Japanese in UTF-8 takes three bytes a character, led by 0xE0 or above;
// half-width katakana in code page 932 can pair up into valid two-byte UTF-8
// ("ﾃｭ" is C3 AD), so only the longer sequences count as evidence.
bool HasLongUtf8Sequence(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0xE0) return true;
  return false;
}

class Parser {
 public:
  Parser(std::vector<Line> lines, RegDocument* doc) : lines_(std::move(lines)), doc_(doc) {}

  void Run(size_t first) {
    for (pos_ = first; pos_ < lines_.size(); ++pos_) ParseLine(lines_[pos_]);
  }

 private:
  void Problem(int line, std::string message) { doc_->problems.push_back({line, std::move(message)}); }

  void ParseLine(const Line& line) {
    if (!line.error.empty()) {
      Problem(line.number, line.error);
      // The values below an unreadable key must not land in the key before it.
      if (line.keyLike) state_ = State::Skipping;
      return;
    }
    std::string_view s = TrimRight(TrimLeft(line.text));
    if (s.empty() || s.front() == ';') return;
    if (s.front() == '[') return ParseKey(line.number, s);
    if (s.front() == '"' || s.front() == '@') return ParseValue(line.number, s);
    Problem(line.number, "neither a key nor a value line");
  }

  void ParseKey(int number, std::string_view s) {
    state_ = State::Skipping;
    if (s.back() != ']') return Problem(number, "a key line must end with ']'");
    std::string_view inner = s.substr(1, s.size() - 2);
    bool del = !inner.empty() && inner.front() == '-';
    if (del) inner.remove_prefix(1);
    std::string_view root = inner.substr(0, inner.find('\\'));
    if (root.size() != kRoot.size() || !StartsWithNoCase(root, kRoot))
      return Problem(number, "key outside HKEY_LOCAL_MACHINE skipped: " + Show(root));
    std::string path = registry::JoinPath(registry::SplitPath(std::string(inner.substr(root.size()))));
    RegEntry e;
    e.line = number;
    e.path = path;
    if (del) {
      if (path.empty()) return Problem(number, "refusing to delete the whole of HKEY_LOCAL_MACHINE");
      e.kind = RegEntry::DeleteKey;
      doc_->entries.push_back(std::move(e));
      state_ = State::AfterDeletion;
      return;
    }
    e.kind = RegEntry::CreateKey;
    doc_->entries.push_back(std::move(e));
    path_ = path;
    state_ = State::InKey;
  }

  // A quoted text starting at s[*i] == '"'; regedit escapes only '\' and '"'.
  bool ParseQuoted(std::string_view s, size_t* i, std::string* out, std::string* error) {
    out->clear();
    size_t k = *i + 1;
    while (k < s.size()) {
      unsigned char c = static_cast<unsigned char>(s[k]);
      if (mbcs::IsLeadByte(c) && k + 1 < s.size()) {
        out->append(s.substr(k, 2));
        k += 2;
      } else if (c == '\\') {
        if (k + 1 >= s.size() || (s[k + 1] != '\\' && s[k + 1] != '"')) {
          *error = "unknown escape in a quoted text (only \\\\ and \\\" are allowed)";
          return false;
        }
        out->push_back(s[k + 1]);
        k += 2;
      } else if (c == '"') {
        *i = k + 1;
        return true;
      } else {
        out->push_back(static_cast<char>(c));
        ++k;
      }
    }
    *error = "missing closing quote";
    return false;
  }

  void ParseValue(int number, std::string_view s) {
    RegEntry e;
    e.line = number;
    size_t i = 0;
    std::string error;
    if (s.front() == '@') {
      i = 1;
    } else if (!ParseQuoted(s, &i, &e.name, &error)) {
      return SkipValue(number, s, error);
    }
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i >= s.size() || s[i] != '=') return SkipValue(number, s, "'=' expected after the value name");
    ++i;
    while (i < s.size() && IsBlank(s[i])) ++i;
    std::string_view data = s.substr(i);

    bool ok = true;
    if (data == "-") {
      e.kind = RegEntry::DeleteValue;
    } else if (!data.empty() && data.front() == '"') {
      e.kind = RegEntry::SetValue;
      size_t k = 0;
      std::string text;
      ok = ParseQuoted(data, &k, &text, &error);
      if (ok && !TrimLeft(data.substr(k)).empty()) ok = false, error = "text after the closing quote";
      e.value = registry::RegValue::Text(text);
    } else if (StartsWithNoCase(data, "dword:")) {
      e.kind = RegEntry::SetValue;
      ok = ParseDword(data.substr(6), &e.value, &error);
    } else if (StartsWithNoCase(data, "hex")) {
      e.kind = RegEntry::SetValue;
      ok = ParseHex(data, &e.value, &error);
    } else {
      ok = false, error = "unknown value type";
    }
    if (!ok) return Problem(number, error);
    switch (state_) {
      case State::InKey:
        e.path = path_;
        doc_->entries.push_back(std::move(e));
        return;
      case State::Skipping:
        return;  // the key line was reported already
      case State::BeforeKeys:
        return Problem(number, "value line before any key line ignored");
      case State::AfterDeletion:
        return Problem(number, "value line after a key deletion ignored");
    }
  }

  // A line we give up on may still be the first of a hex value's continued
  // lines; those belong to it and are skipped with it.
  void SkipValue(int number, std::string_view s, const std::string& error) {
    Problem(number, error);
    while (!s.empty() && s.back() == '\\' && pos_ + 1 < lines_.size()) {
      ++pos_;
      s = TrimRight(lines_[pos_].text);
    }
  }

  static bool ParseDword(std::string_view digits, registry::RegValue* out, std::string* error) {
    digits = TrimRight(digits);
    if (digits.empty() || digits.size() > 8) {
      *error = "dword: needs 1 to 8 hexadecimal digits";
      return false;
    }
    uint32_t v = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) {
        *error = "dword: needs 1 to 8 hexadecimal digits";
        return false;
      }
      v = (v << 4) | static_cast<uint32_t>(d);
    }
    *out = registry::RegValue::Number(static_cast<int32_t>(v));
    return true;
  }

  bool ParseHex(std::string_view data, registry::RegValue* out, std::string* error) {
    uint32_t type = 3;
    size_t i = 3;
    if (i < data.size() && data[i] == '(') {
      size_t close = data.find(')', i);
      if (close == std::string_view::npos || close == i + 1 || close - i - 1 > 8) {
        *error = "hex(N): needs a hexadecimal type number";
        SkipContinuation(data);
        return false;
      }
      type = 0;
      for (size_t k = i + 1; k < close; ++k) {
        int d = HexDigit(data[k]);
        if (d < 0) {
          *error = "hex(N): needs a hexadecimal type number";
          SkipContinuation(data);
          return false;
        }
        type = (type << 4) | static_cast<uint32_t>(d);
      }
      i = close + 1;
    }
    if (i >= data.size() || data[i] != ':') {
      *error = "':' expected after hex";
      SkipContinuation(data);
      return false;
    }
    std::string bytes;
    std::string_view rest = data.substr(i + 1);
    bool tooLarge = false;
    bool bad = false;
    for (;;) {
      rest = TrimRight(rest);
      bool more = !rest.empty() && rest.back() == '\\';
      if (more) rest.remove_suffix(1);
      if (!tooLarge && !bad) {
        size_t start = 0;
        while (start <= rest.size()) {
          size_t comma = rest.find(',', start);
          std::string_view tok = TrimRight(TrimLeft(rest.substr(start, comma == std::string_view::npos
                                                                              ? std::string_view::npos
                                                                              : comma - start)));
          bool last = comma == std::string_view::npos;
          if (tok.empty()) {
            // "00,01,\" and a final "00,01," leave an empty last piece; an
            // empty piece anywhere else is a damaged line.
            if (!last) bad = true;
            break;
          }
          if (tok.size() > 2 || HexDigit(tok[0]) < 0 || (tok.size() == 2 && HexDigit(tok[1]) < 0)) {
            bad = true;
            break;
          }
          int v = tok.size() == 2 ? HexDigit(tok[0]) * 16 + HexDigit(tok[1]) : HexDigit(tok[0]);
          if (bytes.size() >= RegFileReader::kMaxValueBytes) {
            tooLarge = true;
            bytes.clear();
            bytes.shrink_to_fit();
            break;
          }
          bytes.push_back(static_cast<char>(v));
          if (last) break;
          start = comma + 1;
        }
      }
      if (!more || pos_ + 1 >= lines_.size()) break;
      ++pos_;
      rest = lines_[pos_].text;
      rest = TrimLeft(rest);
    }
    if (tooLarge) {
      *error = "hex value larger than " + std::to_string(RegFileReader::kMaxValueBytes) + " bytes";
      return false;
    }
    if (bad) {
      *error = "hex data must be two-digit bytes separated by commas";
      return false;
    }
    return MakeHexValue(type, std::move(bytes), out, error);
  }

  void SkipContinuation(std::string_view data) {
    data = TrimRight(data);
    while (!data.empty() && data.back() == '\\' && pos_ + 1 < lines_.size()) {
      ++pos_;
      data = TrimRight(lines_[pos_].text);
    }
  }

  // Text and number types written as hex become the hive's own text and
  // number values, so the library can read them; every other type is kept
  // byte for byte.
  bool MakeHexValue(uint32_t type, std::string bytes, registry::RegValue* out, std::string* error) {
    if (type == registry::kRegSz) {
      if (doc_->format == RegFormat::Version5) {
        if (bytes.size() >= 2 && bytes[bytes.size() - 2] == '\0' && bytes.back() == '\0') bytes.resize(bytes.size() - 2);
        std::string utf8, text;
        if (!Utf16Codec::ToUtf8(bytes, &utf8, error)) return false;
        if (!mbcs::Cp932Converter::FromUtf8(utf8, &text, error)) {
          *error = "text that code page 932 cannot hold (" + *error + ")";
          return false;
        }
        bytes = std::move(text);
      } else if (!bytes.empty() && bytes.back() == '\0') {
        bytes.pop_back();
      }
      *out = registry::RegValue::Text(std::move(bytes));
      return true;
    }
    *out = registry::RegValue{type, std::move(bytes)};
    return true;
  }

  enum class State { BeforeKeys, Skipping, InKey, AfterDeletion };

  std::vector<Line> lines_;
  RegDocument* doc_;
  size_t pos_ = 0;
  State state_ = State::BeforeKeys;
  std::string path_;
};

}  // namespace

bool RegFileReader::Read(std::string_view bytes, RegDocument* doc) {
  *doc = RegDocument();
  if (bytes.size() > kMaxFileBytes) {
    doc->problems.push_back({0, "file larger than " + std::to_string(kMaxFileBytes) + " bytes"});
    return false;
  }
  std::vector<Line> lines;
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    doc->encoding = "UTF-16LE";
    lines = DecodeUtf16(bytes.substr(2));
  } else {
    bool bom = bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF";
    std::string_view body = bom ? bytes.substr(3) : bytes;
    std::string_view first = TrimRight(body.substr(0, body.find('\n')));
    // Without a byte-order mark the header decides: version 5 text is UTF-8
    // unless it is not valid UTF-8; REGEDIT4 text is code page 932 unless the
    // whole file is valid UTF-8 with Japanese-length sequences, which real
    // code page 932 text practically never is.
    bool utf8 = bom || (first == kHeader5 ? Utf16Codec::IsUtf8(body)
                                           : Utf16Codec::IsUtf8(body) && HasLongUtf8Sequence(body));
    if (utf8) {
      doc->encoding = "UTF-8";
      lines = SplitLines(body, FromUtf8Line);
    } else {
      doc->encoding = "CP932";
      lines = SplitLines(body, [](std::string_view raw, Line* line) { line->text = std::string(raw); });
    }
  }

  size_t first = 0;
  while (first < lines.size() && lines[first].error.empty() && TrimRight(TrimLeft(lines[first].text)).empty())
    ++first;
  std::string_view header = first < lines.size() && lines[first].error.empty()
                                ? TrimRight(std::string_view(lines[first].text))
                                : std::string_view();
  if (header == kHeader5) {
    doc->format = RegFormat::Version5;
  } else if (header == kHeader4) {
    doc->format = RegFormat::Regedit4;
  } else {
    doc->problems.push_back({first < lines.size() ? lines[first].number : 1,
                             "not a registry file: the first line must be \"" + std::string(kHeader5) +
                                 "\" or \"" + std::string(kHeader4) + "\""});
    doc->encoding.clear();
    return false;
  }
  Parser(std::move(lines), doc).Run(first + 1);
  return true;
}

}  // namespace tools
