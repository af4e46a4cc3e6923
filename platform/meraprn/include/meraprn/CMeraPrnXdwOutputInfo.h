// A DocuWorks output description: how documents are written (print type),
// the binder colour, where they go (output type and folders) and the file
// name. The defaults are this print library's: separate documents, standard
// colour, the folder path as destination, all folders empty.
#pragma once

#include <cstdint>
#include <string>

#include "meraprn/MeraPrnExport.h"

enum MeraPrnXdwPrintType : int32_t {
  MeraPrnXdwPrintSeparate = 0,
  MeraPrnXdwPrintBundle = 1,
  MeraPrnXdwPrintBinder = 2,
};

// Binder colour: an index 0 to 16 into the binder colour list (0 = standard).
enum MeraPrnXdwColorType : int32_t {
  MeraPrnXdwColorNone = 0,
  MeraPrnXdwColorLast = 16,
};

enum MeraPrnXdwOutputType : int32_t {
  MeraPrnXdwOutputFolder = 0,
  MeraPrnXdwOutputCustomerFolder = 1,
  MeraPrnXdwOutputInputFolder = 2,
};

class MERAPRN_API CMeraPrnXdwOutputInfo {
 public:
  CMeraPrnXdwOutputInfo();
  CMeraPrnXdwOutputInfo(const CMeraPrnXdwOutputInfo&) = default;
  CMeraPrnXdwOutputInfo& operator=(const CMeraPrnXdwOutputInfo&) = default;
  virtual ~CMeraPrnXdwOutputInfo();

  void Initialize(MeraPrnXdwPrintType printType, MeraPrnXdwColorType colorType,
                  MeraPrnXdwOutputType outputType, const std::string& folderPath,
                  const std::string& inputFolder, const std::string& outputFolder,
                  const std::string& fileName, const std::string& passThrough);

  MeraPrnXdwPrintType GetPrintType() const { return m_printType; }
  MeraPrnXdwColorType GetColorType() const { return m_colorType; }
  MeraPrnXdwOutputType GetOutputType() const { return m_outputType; }
  const std::string& GetFolderPath() const { return m_folderPath; }
  const std::string& GetInputFolder() const { return m_inputFolder; }
  const std::string& GetOutputFolder() const { return m_outputFolder; }
  const std::string& GetFileName() const { return m_fileName; }
  const std::string& GetPassThrough() const { return m_passThrough; }
  // The further string of the description; the settings library never touches it.
  const std::string& GetExtra() const { return m_extra; }
  void SetExtra(const std::string& extra) { m_extra = extra; }

 private:
  MeraPrnXdwPrintType m_printType;
  MeraPrnXdwColorType m_colorType;
  MeraPrnXdwOutputType m_outputType;
  std::string m_folderPath;
  std::string m_inputFolder;
  std::string m_outputFolder;
  std::string m_fileName;
  std::string m_passThrough;
  std::string m_extra;
};
