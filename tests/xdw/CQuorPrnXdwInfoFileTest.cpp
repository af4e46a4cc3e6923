// Document-file output settings through a real hive file: what one process
// writes, the next one reads back byte for byte, code page 932 folders included.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/mbcs/Cp932Converter.h"
#include "platform/registry/Registry.h"
#include "quorprn/QuorPrn.h"

TEST(XdwInfoOnHiveFile, SettingsSurviveReopeningTheFile) {
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() / ("quorprn-xdw-" + std::to_string(getpid()) + ".db");
  fs::remove(file);
  const std::string folder = "D:\\" + mbcs::Cp932("出力ソ");
  registry::Registry::UseFile(file.string());
  CQuorPrnXdwInfo info;
  info.Initialize("SYS", "JOB", "", "", "");
  CMeraPrnXdwOutputInfo described;
  described.Initialize(MeraPrnXdwPrintBinder, MeraPrnXdwColorType(16), MeraPrnXdwOutputInputFolder, folder, "", "", "",
                       "");
  EXPECT_EQ(info.UpdateRegistry(described), 1);
  EXPECT_EQ(info.UpdateRegistryInputFolder(folder + "\\in"), 1);
  registry::Registry::Reset();
  registry::Registry::UseFile(file.string());
  CQuorPrnXdwInfo reader;  // a fresh object, as the next process has
  reader.Initialize("SYS", "JOB", "", "", "");
  CMeraPrnXdwOutputInfo back = reader.GetOutputInfo("x");
  EXPECT_EQ(back.GetPrintType(), MeraPrnXdwPrintBinder);
  EXPECT_EQ(back.GetColorType(), 16);
  EXPECT_EQ(back.GetFolderPath(), folder + "\\");
  EXPECT_EQ(back.GetOutputFolder(), folder + "\\in\\");
  registry::Registry::Reset();
  fs::remove(file);
}
