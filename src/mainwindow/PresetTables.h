#pragma once
// The two fixed presets of the "Graphics" frame: what the preview window lists and what is written,
// in which order and into which section. Pure tables, no widgets.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vexorel {

enum class Preset { Slow, Fast };

enum class PresetSection { Client, Device, Sound };

struct PresetRow {
  std::string_view key;
  std::string_view slowValue;
  std::string_view fastValue;
  int writeOrder;  // 1 to 11
  PresetSection section;
};

// In preview order (rows 0 to 10). The preview shows exactly the values written: the user confirms
// what the preview shows.
inline constexpr std::array<PresetRow, 11> kPresetRows{{
    {"FullscreenColorbits", "16", "16", 1, PresetSection::Client},
    {"CurvedSurfaces", "False", "True", 2, PresetSection::Client},
    {"LowTextureDetail", "True", "False", 3, PresetSection::Client},
    {"SlowBuffering", "True", "True", 4, PresetSection::Client},
    {"NoDynamicLights", "True", "True", 6, PresetSection::Client},
    {"SkinDetail", "Low", "High", 7, PresetSection::Client},
    {"Texturedetail", "Low", "High", 8, PresetSection::Client},
    {"Coronas", "False", "True", 9, PresetSection::Device},
    {"Decals", "False", "True", 5, PresetSection::Client},
    {"OutputRate", "11025Hz", "22050Hz", 10, PresetSection::Sound},
    {"Use3dHardware", "False", "True", 11, PresetSection::Sound},
}};

struct PresetEntry {
  std::string section;
  std::string key;
  std::string value;
};

// Rows 0 to 10 as the preview lists them (section left empty).
std::vector<PresetEntry> presetPreview(Preset preset);
// The eleven writes in write order; deviceSection is the configured renderer's class name.
std::vector<PresetEntry> presetWrites(Preset preset, const std::string& deviceSection);

// "Slow system configuration" / "Fast system configuration".
std::string_view presetCaption(Preset preset);
// The backup's name in the backup folder.
std::string_view presetBackupName(Preset preset);

}  // namespace vexorel
