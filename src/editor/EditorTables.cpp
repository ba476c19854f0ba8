#include "editor/EditorTables.h"

namespace vexorel {

namespace {
constexpr std::array<std::string_view, kLastCheck + 1> kCheckCaptions{
    "",
    "UseMultitexture",
    "Translucency",
    "VolumetricLighting",
    "ShinySurfaces",
    "Coronas",
    "HighDetailActors",
    "UseMipmapping",
    "UseTrilinear",
    "UsePageFlipping",
    "UsePalettes",
    "UseGammaCorrection",
    "DetailTextures",
    "Use3dfx",
    "UseTripleBuffering",
    "UsePrecache",
    "Use32BitTextures",
    "UseAGPTextures",
    "UseVideoMemoryVB",
    "UseVSync",
    "Use32BitZBuffer",
    "UseVertexFog",
    "ScreenSmoothing",
    "FastUglyRefresh",
    "HighResTextureSmooth",
    "VertexLighting",
    "LowResTextureSmooth",
    "FastTranslucency",
    "UseDirectSound",
    "UseFilter",
    "UseSurround",
    "UseStereo",
    "UseCDMusic",
    "UseDigitalMusic",
    "UseSpatial",
    "UseReverb",
    "Use3dHardware",
    "LowSoundQuality",
    "ReverseStereo",
    "UseSpatial",
    "AllowDownloads",
    "OverrideBufferAllocation",
};

std::vector<std::string> numbers(int from, int to, int skip) {
  std::vector<std::string> items;
  for (int i = from; i <= to; ++i) {
    if (i != skip) items.push_back(std::to_string(i));
  }
  return items;
}

const std::array<ComboSpec, kComboCount + 1>& comboSpecs() {
  static const std::array<ComboSpec, kComboCount + 1> specs{{
      {"", "", {}},
      {"DetailBias", kGlideSection, {"-1.5", "0"}},
      {"RefreshRate",
       kGlideSection,
       {"60Hz", "65Hz", "70Hz", "75Hz", "80Hz", "85Hz", "90Hz", "95Hz", "100Hz", "110Hz"}},
      {"ColorDepth", "SglDrv.SglRenderDevice", {"16", "32"}},
      {"OutputRate", kGalaxySection, {"8000Hz", "11025Hz", "22050Hz", "44100Hz"}},
      {"MaxClientRate", kTcpNetSection, {"2300", "2600", "3600", "5600", "10000", "20000"}},
      // The net tick rate list has no "28".
      {"NetServerMaxTickRate", kTcpNetSection, numbers(1, 35, 28)},
      {"LanServerMaxTickRate", kTcpNetSection, numbers(1, 35, 0)},
      {"ConfiguredInternetSpeed",
       kPlayerSection,
       {"2000", "2300", "2600", "2900", "3200", "3500", "5000", "10000", "20000"}},
      {"ConfiguredLanSpeed", kPlayerSection, {"2300", "2600", "3600", "5600", "10000", "20000"}},
  }};
  return specs;
}
}  // namespace

std::string_view CheckCaption(int n) {
  return n >= kFirstCheck && n <= kLastCheck ? kCheckCaptions[static_cast<std::size_t>(n)] : std::string_view();
}

std::optional<std::string> CheckSection(int n, const std::string& deviceSection) {
  if (n >= kFirstDeviceCheck && n <= kLastDeviceCheck) return deviceSection;
  if (n >= 28 && n <= 39) return std::string(kGalaxySection);
  if (n == 40 || n == 41) return std::string(kTcpNetSection);
  return std::nullopt;
}

const ComboSpec& ComboSpecFor(int n) {
  const auto& specs = comboSpecs();
  return specs[static_cast<std::size_t>(n >= 1 && n <= kComboCount ? n : 0)];
}

int TextMatch(const std::vector<std::string>& items, const std::string& value) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == value) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace vexorel
