// DocuWorks output settings: the stored values under the job's
// "Print\FileSet00\DocuWorks" key, the output description built from them,
// and the file-name cleaning of code page 932 texts. Reaches the registry only
// through the registry component's interface; owns no registry key beyond the
// call that made it.
#include "quorprn/CQuorPrnXdwInfo.h"

#include "meraprn/CPrnDoc.h"
#include "platform/mbcs/Mbcs.h"
#include "platform/registry/MeraRegKey.h"

namespace {

constexpr const char* kSubKey = "Print\\FileSet00\\DocuWorks";
constexpr const char* kPrintType = "XdwPrintType";
constexpr const char* kColorType = "XdwColorType";
constexpr const char* kOutputType = "XdwOutputType";
constexpr const char* kFolderPath = "XdwFolderPath";
constexpr const char* kInputFolder = "DefXdwFolder";
// The registry's error code for a key or value that does not exist.
constexpr const char* kRegNotFound = "ECR040";

// Built by concatenation rather than into a fixed buffer, so that long names
// cannot be cut or overrun.
std::string KeyPath(const std::string& system, const std::string& job, const std::string& subKey) {
  std::string path = "SOFTWARE\\Olvanet\\Sarvo\\" + system + "\\" + job + "\\";
  if (!subKey.empty()) path += subKey + "\\";
  return path;
}

// The hive skips empty path components, so an empty system or job name would
// silently address another job's key; such an address reaches no key at all.
bool Addressable(const std::string& system, const std::string& job) { return !system.empty() && !job.empty(); }

bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

bool IsProhibited(unsigned char b) {
  switch (b) {
    case '\\': case '/': case ':': case '*': case '?': case '<': case '>': case '|': case '"':
      return true;
    default:
      return false;
  }
}

// A folder that begins with '/' is a path of this machine, where a backslash
// is an ordinary character of a file name: its separator is '/'. Every other
// folder (drive letters and UNC paths from imported Windows settings) keeps
// the backslash.
char SeparatorOf(const std::string& folder) { return !folder.empty() && folder.front() == '/' ? '/' : '\\'; }

// Appends the folder's separator unless the folder already ends with it. The
// walk goes by characters because a double-byte character may end in 0x5C
// without being a separator; a dangling lead byte at the end is dropped, since
// the appended separator would otherwise become its second byte and vanish.
void EnsureTrailingSeparator(std::string& folder) {
  const char separator = SeparatorOf(folder);
  size_t i = 0;
  bool endsWithSeparator = false;
  while (i < folder.size()) {
    unsigned char b = static_cast<unsigned char>(folder[i]);
    if (mbcs::IsLeadByte(b)) {
      if (i + 1 == folder.size()) break;
      endsWithSeparator = false;
      i += 2;
    } else {
      endsWithSeparator = b == static_cast<unsigned char>(separator);
      i += 1;
    }
  }
  folder.resize(i);
  if (!folder.empty() && !endsWithSeparator) folder += separator;
}

template <class T>
bool InRange(int32_t value, T last) {
  return value >= 0 && value <= static_cast<int32_t>(last);
}

}  // namespace

CQuorPrnXdwInfo::CQuorPrnXdwInfo() { CPrnDoc::EnableXdwOutputPrint(0); }

CQuorPrnXdwInfo::CQuorPrnXdwInfo(const CQuorPrnXdwInfo& other)
    : m_system(other.m_system),
      m_job(other.m_job),
      m_customerPart1(other.m_customerPart1),
      m_customerPart2(other.m_customerPart2),
      m_passThrough(other.m_passThrough) {}

CQuorPrnXdwInfo& CQuorPrnXdwInfo::operator=(const CQuorPrnXdwInfo& other) {
  m_system = other.m_system;
  m_job = other.m_job;
  m_customerPart1 = other.m_customerPart1;
  m_customerPart2 = other.m_customerPart2;
  m_passThrough = other.m_passThrough;
  return *this;
}

CQuorPrnXdwInfo::~CQuorPrnXdwInfo() { CPrnDoc::EnableXdwOutputPrint(0); }

void CQuorPrnXdwInfo::Initialize(const std::string& system, const std::string& job,
                                 const std::string& customerPart1, const std::string& customerPart2,
                                 const std::string& passThrough) {
  m_system = system;
  m_job = job;
  m_customerPart1 = customerPart1;
  m_customerPart2 = customerPart2;
  m_passThrough = passThrough;
}

void CQuorPrnXdwInfo::EnableXdwOutputPrint(int flag) { CPrnDoc::EnableXdwOutputPrint(flag); }

int CQuorPrnXdwInfo::IsEnableXdwOutputPrint() const { return CPrnDoc::IsEnableXdwOutputPrint(); }

CMeraPrnXdwOutputInfo CQuorPrnXdwInfo::GetOutputInfo(const std::string& fileName) const {
  CMeraPrnXdwOutputInfo result;
  const CMeraPrnXdwOutputInfo fallback;
  int32_t printType = result.GetPrintType();
  int32_t colorType = result.GetColorType();
  int32_t outputType = result.GetOutputType();
  std::string folderPath = result.GetFolderPath();
  std::string inputFolder = result.GetInputFolder();

  const std::string cleanFileName = ProhibitCutString(fileName);

  _GetRegistryDWORD(m_system, m_job, kSubKey, kPrintType, printType);
  _GetRegistryDWORD(m_system, m_job, kSubKey, kColorType, colorType);
  _GetRegistryDWORD(m_system, m_job, kSubKey, kOutputType, outputType);
  if (_GetRegistryString(m_system, m_job, kSubKey, kFolderPath, folderPath)) EnsureTrailingSeparator(folderPath);
  if (_GetRegistryString(m_system, m_job, kSubKey, kInputFolder, inputFolder)) EnsureTrailingSeparator(inputFolder);

  if (!InRange(printType, MeraPrnXdwPrintBinder)) printType = fallback.GetPrintType();
  if (!InRange(colorType, MeraPrnXdwColorLast)) colorType = fallback.GetColorType();
  if (!InRange(outputType, MeraPrnXdwOutputInputFolder)) outputType = fallback.GetOutputType();

  std::string outputFolder = folderPath;
  if (outputType == MeraPrnXdwOutputCustomerFolder) {
    if (!folderPath.empty() && (!m_customerPart1.empty() || !m_customerPart2.empty())) {
      outputFolder = folderPath + ProhibitCutString(m_customerPart1) + ProhibitCutString(m_customerPart2) +
                     SeparatorOf(folderPath);
    }
  } else if (outputType == MeraPrnXdwOutputInputFolder) {
    outputFolder = inputFolder;
  }

  result.Initialize(static_cast<MeraPrnXdwPrintType>(printType), static_cast<MeraPrnXdwColorType>(colorType),
                    static_cast<MeraPrnXdwOutputType>(outputType), folderPath, inputFolder, outputFolder,
                    cleanFileName, m_passThrough);
  return result;
}

int CQuorPrnXdwInfo::UpdateRegistry(const CMeraPrnXdwOutputInfo& info) {
  if (!_SetRegistryDWORD(m_system, m_job, kSubKey, kPrintType, info.GetPrintType())) return 0;
  if (!_SetRegistryDWORD(m_system, m_job, kSubKey, kColorType, info.GetColorType())) return 0;
  if (!_SetRegistryDWORD(m_system, m_job, kSubKey, kOutputType, info.GetOutputType())) return 0;
  return _SetRegistryString(m_system, m_job, kSubKey, kFolderPath, info.GetFolderPath());
}

int CQuorPrnXdwInfo::UpdateRegistryValues(const int32_t* printType, const int32_t* colorType,
                                          const int32_t* outputType, const std::string* folderPath) {
  if (printType && !_SetRegistryDWORD(m_system, m_job, kSubKey, kPrintType, *printType)) return 0;
  if (colorType && !_SetRegistryDWORD(m_system, m_job, kSubKey, kColorType, *colorType)) return 0;
  if (outputType && !_SetRegistryDWORD(m_system, m_job, kSubKey, kOutputType, *outputType)) return 0;
  if (folderPath && !_SetRegistryString(m_system, m_job, kSubKey, kFolderPath, *folderPath)) return 0;
  return 1;
}

// Settings that are half written would mix the user's new choice with the old
// one (a binder colour with the old folder, say), which is worse than either.
// A key is removed only when its absence was certain: an unreadable key must
// not be mistaken for a missing one and deleted.
int CQuorPrnXdwInfo::_UpdateRegistryWhole(const CMeraPrnXdwOutputInfo& info) {
  bool keyWasMissing = false;
  if (Addressable(m_system, m_job)) {
    auto key = MeraNewRegKey();
    keyWasMissing = !key->OpenKey(HKEY_LOCAL_MACHINE, KeyPath(m_system, m_job, kSubKey), /*write=*/0) &&
                    MeraLastErrorCode(/*report=*/false) == kRegNotFound;
  }
  const CMeraPrnXdwOutputInfo defaults;
  struct Number {
    const char* name;
    int32_t value;
    bool stored;
  };
  Number numbers[] = {{kPrintType, defaults.GetPrintType(), false},
                      {kColorType, defaults.GetColorType(), false},
                      {kOutputType, defaults.GetOutputType(), false}};
  for (Number& n : numbers) n.stored = _GetRegistryDWORD(m_system, m_job, kSubKey, n.name, n.value) != 0;
  std::string folderPath = defaults.GetFolderPath();
  const bool folderStored = _GetRegistryString(m_system, m_job, kSubKey, kFolderPath, folderPath) != 0;

  if (UpdateRegistry(info)) return 1;
  if (keyWasMissing) {
    auto key = MeraNewRegKey();
    key->DeleteKey(HKEY_LOCAL_MACHINE, KeyPath(m_system, m_job, kSubKey), /*reserved=*/0);
    return 0;
  }
  // A value that was missing and is still missing is left alone.
  for (const Number& n : numbers) {
    int32_t now = 0;
    if (n.stored || _GetRegistryDWORD(m_system, m_job, kSubKey, n.name, now)) {
      _SetRegistryDWORD(m_system, m_job, kSubKey, n.name, n.value);
    }
  }
  std::string now;
  if (folderStored || _GetRegistryString(m_system, m_job, kSubKey, kFolderPath, now)) {
    _SetRegistryString(m_system, m_job, kSubKey, kFolderPath, folderPath);
  }
  return 0;
}

int CQuorPrnXdwInfo::UpdateRegistryInputFolder(const std::string& folder) {
  if (folder.empty()) return 1;
  return _SetRegistryString(m_system, m_job, kSubKey, kInputFolder, folder);
}

// A lead byte is kept with its second byte even when that byte is 0x5C, which
// is the whole reason for walking by characters. A lead byte without a valid
// second byte is dropped: at the end of the text it would swallow whatever is
// appended next (the folder's closing backslash), and in the middle it would
// shield a following '/' or ':' from the check.
std::string CQuorPrnXdwInfo::ProhibitCutString(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (mbcs::IsLeadByte(b)) {
      if (i + 1 == text.size()) break;
      if (IsTrailByte(static_cast<unsigned char>(text[i + 1]))) {
        out.append(text, i, 2);
        i += 2;
      } else {
        i += 1;
      }
      continue;
    }
    if (!IsProhibited(b)) out += static_cast<char>(b);
    i += 1;
  }
  return out;
}

int CQuorPrnXdwInfo::_GetRegistryDWORD(const std::string& system, const std::string& job, const std::string& subKey,
                                       const std::string& name, int32_t& value) {
  if (!Addressable(system, job)) return 0;
  auto key = MeraNewRegKey();
  if (!key->OpenKey(HKEY_LOCAL_MACHINE, KeyPath(system, job, subKey), /*write=*/0)) return 0;
  int32_t read = 0;
  if (!key->GetNumber(name, read)) return 0;
  value = read;
  return 1;
}

int CQuorPrnXdwInfo::_GetRegistryString(const std::string& system, const std::string& job,
                                        const std::string& subKey, const std::string& name, std::string& value) {
  if (!Addressable(system, job)) return 0;
  auto key = MeraNewRegKey();
  if (!key->OpenKey(HKEY_LOCAL_MACHINE, KeyPath(system, job, subKey), /*write=*/0)) return 0;
  std::string read;
  if (!key->GetText(name, read)) return 0;
  value = std::move(read);
  return 1;
}

int CQuorPrnXdwInfo::_SetRegistryDWORD(const std::string& system, const std::string& job, const std::string& subKey,
                                       const std::string& name, int32_t value) {
  if (!Addressable(system, job)) return 0;
  auto key = MeraNewRegKey();
  if (!key->CreateKey(HKEY_LOCAL_MACHINE, KeyPath(system, job, subKey))) return 0;
  int32_t current = 0;
  if (key->GetNumber(name, current) && current == value) return 1;
  return key->SetNumber(name, value) ? 1 : 0;
}

// Comparing with an empty text when nothing can be read means that an empty
// text is never written where no value exists.
int CQuorPrnXdwInfo::_SetRegistryString(const std::string& system, const std::string& job,
                                        const std::string& subKey, const std::string& name,
                                        const std::string& value) {
  if (!Addressable(system, job)) return 0;
  auto key = MeraNewRegKey();
  if (!key->CreateKey(HKEY_LOCAL_MACHINE, KeyPath(system, job, subKey))) return 0;
  std::string current;
  if (!key->GetText(name, current)) current.clear();
  if (current == value) return 1;
  return key->SetText(name, value) ? 1 : 0;
}
