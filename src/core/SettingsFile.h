#pragma once
// The program's own settings file, Vexorel.ini in the start folder: its name, section and keys, and
// the path arithmetic the start-up window needs. No Qt here.

#include <string>

namespace vexorel {

inline constexpr const char* kSettingsFileName = "Vexorel.ini";
inline constexpr const char* kSettingsSection = "Vexorel";
inline constexpr const char* kSaveNumberKey = "SaveNumber";
inline constexpr const char* kDidBackupKey = "DidBackup";
inline constexpr const char* kAskQKey = "AskQ";

// "AskQ" switches the exit question on exactly when it reads "Checked" (letter case counts).
inline constexpr const char* kAskQChecked = "Checked";
inline constexpr const char* kAskQUnchecked = "Unchecked";

// The folder that holds `path`: everything before its last separator ('\' or '/'), without a trailing
// separator unless the folder is a root ("C:\", "/"). A root names itself, and a bare name with no
// folder gives "".
std::string folderPart(const std::string& path);

// The game folder for an executable chosen in the locate dialog: the parent of the folder that holds
// it (D:\Games\UT\System\UnrealTournament.exe gives D:\Games\UT). An executable in a root folder has
// no such parent; the root itself is used.
std::string gameFolderFromExecutable(const std::string& executablePath);

}  // namespace vexorel
