// The document is built as UTF-8 for version 5 and as code page 932 for
// REGEDIT4, then a version 5 document is turned into UTF-16LE in one go.
// Layout follows regedit: CRLF line ends, the default value first, hex data
// wrapped before column 80 with a backslash and two blanks.
#include "tools/RegFileWriter.h"

#include <cstdio>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/mbcs/Mbcs.h"
#include "tools/Utf16Codec.h"

namespace tools {
namespace {

class Writer {
 public:
  Writer(registry::RegistryHive& hive, RegFormat format, RegExportReport* report)
      : hive_(hive), v5_(format != RegFormat::Regedit4), report_(report) {}

  bool Key(const std::string& path, bool isRoot) {
    registry::KeySnapshot snap;
    registry::RegError err;
    if (!hive_.ReadKey(path, false, &snap, &err)) {
      // Some hives keep no values on the root itself.
      if (!isRoot || err.code != registry::kNotFound) return Fail(err);
    }
    std::vector<registry::NamedValue> values = snap.Values();
    if (!isRoot || !values.empty()) {
      std::string name;
      if (!Encode(path, &name) || HasLineBreak(path)) {
        report_->problems.push_back("key left out (" + Why(path) + "): " + Show(path));
        return true;  // its subkeys' lines would name it again
      }
      out_ += "[HKEY_LOCAL_MACHINE";
      if (!path.empty()) out_ += "\\" + name;
      out_ += "]\r\n";
      ++report_->keys;
      for (int pass = 0; pass < 2; ++pass)
        for (const auto& v : values)
          if ((pass == 0) == v.name.empty()) Value(path, v);
      out_ += "\r\n";
    }
    std::vector<std::string> children;
    if (!hive_.EnumKeys(path, &children, &err)) return Fail(err);
    for (const auto& child : children)
      if (!Key(path.empty() ? child : path + "\\" + child, false)) return false;
    return true;
  }

  std::string Finish() {
    if (!v5_) {
      // The comment names the encoding and, being code page 932 that is
      // never valid UTF-8, keeps a reader from taking the file for UTF-8.
      return "REGEDIT4\r\n; " + mbcs::Cp932("文字コード: シフトJIS (コードページ 932)") + "\r\n\r\n" + out_;
    }
    std::string doc = "Windows Registry Editor Version 5.00\r\n\r\n" + out_;
    std::string utf16, error;
    Utf16Codec::FromUtf8(doc, &utf16, &error);  // built from checked pieces only
    return "\xFF\xFE" + utf16;
  }

 private:
  bool Fail(const registry::RegError& err) {
    report_->hiveError = err;
    return false;
  }

  static std::string Show(const std::string& cp932) { return mbcs::Cp932Converter::ToUtf8Lossy(cp932); }
  static bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }
  std::string Why(const std::string& s) const {
    if (HasLineBreak(s)) return "it holds a line break";
    return v5_ ? "not code page 932 text that version 5 carries unchanged; try --format 4"
               : "it ends inside a double-byte character";
  }

  // A name or text in the document's encoding. In version 5 only text that
  // comes back byte for byte: code page 932 has duplicate codes (the NEC
  // selection of IBM characters, NEC's copies of some symbols) that share one
  // Unicode character, and reading the file back would give another code, so
  // another key or value name.
  bool Encode(const std::string& cp932, std::string* out) const {
    if (!v5_) {
      *out = cp932;
      return true;
    }
    std::string error, back;
    return mbcs::Cp932Converter::ToUtf8(cp932, out, &error) &&
           mbcs::Cp932Converter::FromUtf8(*out, &back, &error) && back == cp932;
  }

  // Escapes '\' and '"' character by character; in code page 932 text a
  // trail byte 0x5C belongs to its character and is not escaped.
  std::string Quote(const std::string& text) const {
    std::string q = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      if (!v5_ && mbcs::IsLeadByte(c) && i + 1 < text.size()) {
        q += text[i];
        q += text[++i];
      } else {
        if (c == '\\' || c == '"') q += '\\';
        q += text[i];
      }
    }
    return q + "\"";
  }

  static bool HasControl(const std::string& s) {
    for (char c : s)
      if (static_cast<unsigned char>(c) < 0x20) return true;
    return false;
  }

  // A lone lead byte would swallow the closing quote when read back.
  static bool IsWholeCp932(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i)
      if (mbcs::IsLeadByte(static_cast<unsigned char>(s[i])) && ++i >= s.size()) return false;
    return true;
  }

  void Value(const std::string& path, const registry::NamedValue& v) {
    std::string name;
    if (!v.name.empty() && (!Encode(v.name, &name) || HasLineBreak(v.name) || !IsWholeCp932(v.name))) {
      report_->problems.push_back("value left out (" + Why(v.name) + "): " + Show(path) + " " + Show(v.name));
      return;
    }
    std::string line = v.name.empty() ? "@=" : Quote(name) + "=";
    const registry::RegValue& value = v.value;
    int32_t number = 0;
    if (value.type == registry::kRegSz) {
      std::string text;
      bool encodable = Encode(value.data, &text);
      if (encodable && !HasControl(value.data) && IsWholeCp932(value.data)) {
        line += Quote(text);
      } else if (v5_) {
        std::string utf16, error;
        if (!encodable || !Utf16Codec::FromUtf8(text, &utf16, &error)) {
          report_->problems.push_back("value left out (not code page 932 text that version 5 carries unchanged; "
                                      "try --format 4): " +
                                      Show(path) + " " + Show(v.name));
          return;
        }
        line = Hex(line, 1, utf16 + std::string(2, '\0'));
      } else {
        line = Hex(line, 1, value.data + std::string(1, '\0'));
      }
    } else if (value.AsNumber(&number)) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<uint32_t>(number));
      line += buf;
    } else {
      line = Hex(line, value.type, value.data);
    }
    out_ += line + "\r\n";
    ++report_->values;
  }

  static std::string Hex(std::string line, uint32_t type, const std::string& data) {
    char buf[24];
    if (type == 3) {
      line += "hex:";
    } else {
      std::snprintf(buf, sizeof buf, "hex(%x):", type);
      line += buf;
    }
    std::string out;
    size_t width = line.size();
    for (size_t i = 0; i < data.size(); ++i) {
      std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(data[i]));
      line += buf;
      width += 2;
      if (i + 1 < data.size()) {
        line += ',';
        ++width;
        if (width > 76) {
          line += "\\\r\n  ";
          width = 2;
        }
      }
    }
    return line;
  }

  registry::RegistryHive& hive_;
  bool v5_;
  RegExportReport* report_;
  std::string out_;
};

}  // namespace

bool RegFileWriter::Export(registry::RegistryHive& hive, const std::string& path, RegFormat format,
                           std::string* out, RegExportReport* report) {
  *report = RegExportReport();
  out->clear();
  std::string normal = registry::JoinPath(registry::SplitPath(path));
  Writer writer(hive, format, report);
  if (!normal.empty()) {
    registry::KeySnapshot snap;
    registry::RegError err;
    if (!hive.ReadKey(normal, false, &snap, &err)) {
      report->hiveError = err;
      return false;
    }
  }
  if (!writer.Key(normal, normal.empty())) return false;
  *out = writer.Finish();
  return true;
}

}  // namespace tools
