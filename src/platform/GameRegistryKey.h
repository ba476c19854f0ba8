#pragma once
// Where the game's installer records the game folder, under HKEY_LOCAL_MACHINE. The POSIX backend
// needs it to borrow that one value from a Wine prefix; the rest of the program reaches it through
// core/GameFiles.h.

namespace vexorel {

inline constexpr const char* kGameRegistryKey = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
inline constexpr const char* kGameFolderValue = "Folder";

}  // namespace vexorel
