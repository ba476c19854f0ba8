#include <gtest/gtest.h>

#include "core/SettingsFile.h"

namespace vexorel {
namespace {

TEST(SettingsFile, FolderPartAndGameFolderKeepRoots) {
  const char* const folders[][2] = {{"C:\\Games\\Vexorel\\Vexorel.ini", "C:\\Games\\Vexorel"},
                                    {"C:\\Vexorel.ini", "C:\\"},
                                    {"/home/p/Vexorel.ini", "/home/p"},
                                    {"/Vexorel.ini", "/"},
                                    {"/", "/"},
                                    {"Vexorel.ini", ""}};
  for (const auto& c : folders) EXPECT_EQ(folderPart(c[0]), c[1]) << c[0];

  const char* const games[][2] = {{"D:\\Games\\UT\\System\\UnrealTournament.exe", "D:\\Games\\UT"},
                                  {"/home/p/UT/System/UnrealTournament.exe", "/home/p/UT"},
                                  {"C:\\System\\UnrealTournament.exe", "C:\\"},
                                  // In a root folder there is no parent: the root itself.
                                  {"C:\\UnrealTournament.exe", "C:\\"},
                                  {"/UnrealTournament.exe", "/"}};
  for (const auto& c : games) EXPECT_EQ(gameFolderFromExecutable(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace vexorel
