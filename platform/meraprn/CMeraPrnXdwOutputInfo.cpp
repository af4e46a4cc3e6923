// DocuWorks output description with this print library's defaults.
#include "meraprn/CMeraPrnXdwOutputInfo.h"

CMeraPrnXdwOutputInfo::CMeraPrnXdwOutputInfo()
    : m_printType(MeraPrnXdwPrintSeparate),
      m_colorType(MeraPrnXdwColorNone),
      m_outputType(MeraPrnXdwOutputFolder) {}

CMeraPrnXdwOutputInfo::~CMeraPrnXdwOutputInfo() = default;

void CMeraPrnXdwOutputInfo::Initialize(MeraPrnXdwPrintType printType, MeraPrnXdwColorType colorType,
                                       MeraPrnXdwOutputType outputType, const std::string& folderPath,
                                       const std::string& inputFolder, const std::string& outputFolder,
                                       const std::string& fileName, const std::string& passThrough) {
  m_printType = printType;
  m_colorType = colorType;
  m_outputType = outputType;
  m_folderPath = folderPath;
  m_inputFolder = inputFolder;
  m_outputFolder = outputFolder;
  m_fileName = fileName;
  m_passThrough = passThrough;
}
