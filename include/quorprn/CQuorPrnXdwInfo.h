// The exported DocuWorks output settings of one application (system) and job:
// reads the stored settings into a DocuWorks output description, writes them
// back, and fronts the print library's process-wide DocuWorks output switch.
// An object holds only its five strings; every registry operation makes and
// releases its own registry-key object, so nothing stays open between calls.
// It shows no messages and throws nothing for an ordinary failure.
#pragma once

#include <cstdint>
#include <string>

#include "meraprn/CMeraPrnXdwOutputInfo.h"
#include "quorprn/QuorPrnExport.h"

class QUORPRN_API CQuorPrnXdwInfo {
 public:
  // Switches DocuWorks output off: a host turns it on after it has made its
  // object and before it prints.
  CQuorPrnXdwInfo();
  // Copies the five strings and leaves the switch alone, so that handing an
  // object around does not undo a host's choice.
  CQuorPrnXdwInfo(const CQuorPrnXdwInfo& other);
  CQuorPrnXdwInfo& operator=(const CQuorPrnXdwInfo& other);
  // Switches DocuWorks output off.
  virtual ~CQuorPrnXdwInfo();

  // Must run before the registry operations: the settings key is made from
  // the system and job names. Texts are code page 932 bytes.
  void Initialize(const std::string& system, const std::string& job, const std::string& customerPart1,
                  const std::string& customerPart2, const std::string& passThrough);

  void EnableXdwOutputPrint(int flag);
  int IsEnableXdwOutputPrint() const;

  // The stored settings as an output description. Never fails: a missing or
  // unreadable value, or a number out of range, gives the description's
  // default. `fileName` comes back without the characters that a file name
  // may not hold; folders end with one separator: '/' for a folder that
  // begins with '/', a backslash for any other (Windows-style) folder. The
  // stored values themselves are left as they are.
  CMeraPrnXdwOutputInfo GetOutputInfo(const std::string& fileName) const;

  // Stores print type, colour type, output type and folder path, in that
  // order, without a range test. 1 when all are stored (values that are
  // already stored are not written again); 0 at the first write that fails,
  // with the values before it kept.
  int UpdateRegistry(const CMeraPrnXdwOutputInfo& info);
  // Stores the input folder. 1 when stored or `folder` is empty (nothing to
  // store), 0 when the write failed.
  int UpdateRegistryInputFolder(const std::string& folder);
  // Stores only the values given (a null pointer leaves that value as it is
  // stored, or absent), in UpdateRegistry's order and way: no range test,
  // equal values not written again. For callers that change one setting
  // without reading the others back first, since GetOutputInfo's answer is
  // not what is stored (defaults, folders with a backslash added). 1 when
  // all given are stored, 0 at the first write that fails.
  int UpdateRegistryValues(const int32_t* printType, const int32_t* colorType, const int32_t* outputType,
                           const std::string* folderPath);

 private:
  // Tests reach the private members through this friend; the output dialog
  // stores through _UpdateRegistryWhole.
  friend class CQuorPrnXdwInfoTestPeer;
  friend class CQuorPrnXdwOutputDlg;

  // UpdateRegistry that leaves nothing half changed: when a write fails, the
  // values stored before are put back (a value that was missing as the
  // default, which reads the same; a key that was missing is removed again).
  // 1 stored, 0 failed.
  int _UpdateRegistryWhole(const CMeraPrnXdwOutputInfo& info);

  static std::string ProhibitCutString(const std::string& text);
  // 1 and `value` set when read; 0 with `value` untouched otherwise. An empty
  // `subKey` reads the job's own key.
  static int _GetRegistryDWORD(const std::string& system, const std::string& job, const std::string& subKey,
                               const std::string& name, int32_t& value);
  static int _GetRegistryString(const std::string& system, const std::string& job, const std::string& subKey,
                                const std::string& name, std::string& value);
  // 1 when stored or already equal, 0 when the key cannot be created or the
  // write fails.
  static int _SetRegistryDWORD(const std::string& system, const std::string& job, const std::string& subKey,
                               const std::string& name, int32_t value);
  static int _SetRegistryString(const std::string& system, const std::string& job, const std::string& subKey,
                                const std::string& name, const std::string& value);

  std::string m_system;
  std::string m_job;
  std::string m_customerPart1;
  std::string m_customerPart2;
  std::string m_passThrough;
};
