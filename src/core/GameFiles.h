#pragma once
// Every name of the game's configuration that more than one place uses: the registry entry that finds
// the game, the game's file, its sections, the fifteen setting rows the summary and the editor share,
// and the files of the backup folder. Spelt here once.

#include <array>
#include <string>
#include <string_view>

#include "platform/GameRegistryKey.h"

namespace vexorel {

// The game's configuration file, below the game folder.
inline std::string gameIniPath(const std::string& gameFolder) {
  return gameFolder + "\\System\\UnrealTournament.ini";
}

// The game's program, in the System folder: the file the user locates, and the process that rewrites
// the configuration file when it exits.
inline constexpr const char* kGameExeName = "UnrealTournament.exe";

// Sections of the game's file.
inline constexpr const char* kClientSection = "WinDrv.WindowsClient";
inline constexpr const char* kEngineSection = "Engine.Engine";
inline constexpr const char* kGameEngineSection = "Engine.GameEngine";
inline constexpr const char* kGalaxySection = "Galaxy.GalaxyAudioSubsystem";
inline constexpr const char* kTcpNetSection = "IpDrv.TcpNetDriver";
inline constexpr const char* kPlayerSection = "Engine.Player";
inline constexpr const char* kGlideSection = "GlideDrv.GlideRenderDevice";

// The render device's class is stored here, in the engine section.
inline constexpr const char* kRenderDeviceKey = "GameRenderDevice";

// The fifteen setting rows, in the order the summary and the editor's value list show them. Each row
// lives in the client section, except the render device (in the engine section) and, in the editor
// only, Coronas (in the render device's own section).
inline constexpr int kSettingRows = 15;
inline constexpr std::array<std::string_view, kSettingRows> kSettingRowKeys{
    "FullscreenColorbits", "CurvedSurfaces", "LowDetailTextures", "SlowVideoBuffering", "Decals",
    "NoDynamicLights",     "Coronas",        "SkinDetail",        "TextureDetail",      "NoLighting",
    "MinDesiredFrameRate", "ScreenFlashes",  "NoFractalAnim",     "ParticleDensity",    "GameRenderDevice",
};
inline constexpr int kCoronasRow = 6;
inline constexpr int kFrameRateRow = 10;
inline constexpr int kParticleDensityRow = 13;
inline constexpr int kDeviceRow = 14;

// The backup folder in the start folder, and the files the program keeps there.
inline constexpr const char* kFirstRunBackupName = "BckUpUnrealTournament.txt";
inline constexpr const char* kSlowPresetBackupName = "SlowUTBackup.ini";
inline constexpr const char* kFastPresetBackupName = "FastUTbackup.ini";
inline constexpr const char* kWorkingCopyName = "UTTemp.ini";
inline constexpr const char* kLastApplyName = "Last.ini";
inline constexpr const char* kLastUndoName = "last1.ini";
inline constexpr const char* kSetLoadScratchName = "SetLoad.ini";
inline constexpr const char* kPresetScratchName = "Preset.ini";

// The first start creates the folder as "BACKUP"; the later paths spell it "backup", which finds the
// same folder because names are matched without regard to letter case.
inline std::string backupFolder(const std::string& startFolder) {
  return startFolder + "\\BACKUP";
}
inline std::string backupPath(const std::string& startFolder, std::string_view name) {
  return startFolder + "\\backup\\" + std::string(name);
}

}  // namespace vexorel
